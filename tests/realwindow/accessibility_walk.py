#!/usr/bin/python3
"""Walks the toolbox's window as a screen reader sees it, over AT-SPI.

Every control a screen reader needs is found by its name and role and is
showing; nothing of a closed page is showing; a topic button, a page's close
image and the painted close button are pressed through their actions, as a
screen reader presses them. Prints one line per check; exits 1 on the first
failure.

    accessibility_walk.py APPLICATION_NAME WINDOW_CAPTION
"""
import sys
import time

import pyatspi

DEADLINE = 10.0

CONTROLS = [  # (name, roles it may have): the window's own controls
    ("指令名称", {"list"}),
    ("搜索", {"text", "entry"}),
    ("指令内容", {"text", "entry"}),
    ("使用名称进行搜索", {"radio button"}),
    ("使用指令进行搜索", {"radio button"}),
    ("复制", {"push button"}),
    ("最小化", {"push button"}),
    ("关闭", {"push button"}),
] + [(caption, {"push button"}) for caption in (
    "如何登陆Ubuntu", "如何安装PHP5", "如何安装Apache2", "如何绑定子域名", "如何安装MySQL",
    "Tovanu推荐源", "如何安装phpadmin", "软件说明", "如何安装zip解压", "Ubuntu系统介绍")]

PAGES = ["Ubuntu推荐源", "如何安装Apache2", "如何安装MySQL", "如何安装PHP5",
         "如何安装phpmyadmin", "如何绑定子域名", "软件说明"]


def fail(text):
    print("FAIL:", text)
    sys.exit(1)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def wait_for(what, condition):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    fail(what)


def application(name):
    def found():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        return None
    return wait_for(f"no application {name} on the accessibility bus", found)


def window_of(app, caption):
    def found():
        for node in app:
            if node is not None and node.name == caption:
                return node
        return None
    return wait_for(f"no window named {caption}", found)


def press(node):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("press", "Press"):
            actions.doAction(i)
            return
    fail(f"{node.name} has no press action")


def pages_of(window):
    nodes = list(descendants(window))
    pages = {node.name: node for node in nodes if node.name in PAGES and node.getRoleName() != "push button"
             and node.getRoleName() != "label"}
    missing = set(PAGES) - set(pages)
    if missing:
        fail(f"pages not found by their titles: {sorted(missing)}")
    return pages


def showing_inside(page):
    return [f"{node.getRoleName()} {node.name!r}" for node in descendants(page) if showing(node)]


def main():
    app_name, caption = sys.argv[1], sys.argv[2]
    window = window_of(application(app_name), caption)
    if window.getRoleName() not in ("frame", "window"):
        fail(f"the window's role is {window.getRoleName()}")
    print(f"PASS: the window is a {window.getRoleName()} named {caption}")

    nodes = [node for node in descendants(window) if showing(node)]
    for name, roles in CONTROLS:
        if not any(node.name == name and node.getRoleName() in roles for node in nodes):
            near = sorted({node.getRoleName() for node in nodes if node.name == name})
            fail(f"no showing {'/'.join(sorted(roles))} named {name} (found: {near})")
    print(f"PASS: {len(CONTROLS)} controls named, with their roles")

    pages = pages_of(window)
    for title, page in pages.items():
        if showing(page) or showing_inside(page):
            fail(f"closed page {title} shows {showing_inside(page)[:5]}")
    print("PASS: nothing of the seven closed pages is showing")

    topic = next(node for node in nodes if node.name == "如何安装Apache2" and node.getRoleName() == "push button")
    press(topic)
    page = pages["如何安装Apache2"]
    wait_for("the page did not show after its topic was pressed", lambda: showing(page))
    close = wait_for("the open page has no showing close button", lambda: next(
        (node for node in descendants(page) if node.name == "关闭" and node.getRoleName() == "push button"
         and showing(node)), None))
    press(close)
    wait_for("the page still shows after its close image was pressed", lambda: not showing(page))
    print("PASS: a topic opens its page and the page's close button closes it")

    painted_close = next(node for node in nodes if node.name == "关闭" and node.getRoleName() == "push button"
                         and node.parent.name == caption)
    press(painted_close)
    print("PASS: the painted close button pressed")


if __name__ == "__main__":
    main()
