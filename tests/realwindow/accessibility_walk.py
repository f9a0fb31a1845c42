#!/usr/bin/python3
"""The toolbox's window as a screen reader walks it over AT-SPI: every control
named with its role and showing, nothing of a closed page showing; a topic
button, a page's close image and the painted close button pressed through
their actions. Exits 1 at the first failure.

    accessibility_walk.py APPLICATION_NAME WINDOW_CAPTION
"""
import sys
import time

import pyatspi

TOPICS = ["如何登陆Ubuntu", "如何安装PHP5", "如何安装Apache2", "如何绑定子域名", "如何安装MySQL",
          "Tovanu推荐源", "如何安装phpadmin", "软件说明", "如何安装zip解压", "Ubuntu系统介绍"]
CONTROLS = [("指令名称", "list"), ("搜索", "text"), ("指令内容", "text"), ("使用名称进行搜索", "radio button"),
            ("使用指令进行搜索", "radio button"), ("复制", "push button"), ("最小化", "push button"),
            ("关闭", "push button")] + [(topic, "push button") for topic in TOPICS]
PAGES = ["Ubuntu推荐源", "如何安装Apache2", "如何安装MySQL", "如何安装PHP5", "如何安装phpmyadmin", "如何绑定子域名", "软件说明"]


def fail(text):
    sys.exit(f"FAIL: {text}")


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def below(node):
    for child in node:
        if child is not None:
            yield child
            yield from below(child)


def within_ten_seconds(what, found):
    end = time.monotonic() + 10
    while time.monotonic() < end:
        if result := found():
            return result
        time.sleep(0.1)
    fail(what)


def press(node):
    actions = node.queryAction()
    next(actions.doAction(i) for i in range(actions.nActions) if actions.getName(i).lower() == "press")


def main():
    app_name, caption = sys.argv[1:3]
    window = within_ten_seconds(f"no window {caption} of {app_name} on the bus", lambda: next(
        (w for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == app_name
         for w in app if w is not None and w.name == caption), None))
    if window.getRoleName() not in ("frame", "window"):
        fail(f"the window's role is {window.getRoleName()}")
    shown = [(node.name, node.getRoleName()) for node in below(window) if showing(node)]
    missing = [control for control in CONTROLS if control not in shown]
    if missing:
        fail(f"not named or not showing: {missing}")
    print(f"PASS: a {window.getRoleName()} named {caption}; {len(CONTROLS)} controls named with their roles")

    pages = {node.name: node for node in below(window) if node.name in PAGES and node.getRoleName() == "panel"}
    if sorted(pages) != sorted(PAGES):
        fail(f"pages found by their titles: {sorted(pages)}")
    for title, page in pages.items():
        if showing(page) or any(showing(node) for node in below(page)):
            fail(f"the closed page {title} shows")
    print("PASS: nothing of the seven closed pages is showing")

    press(next(node for node in below(window) if node.name == "如何安装Apache2" and node.getRoleName() == "push button"))
    page = pages["如何安装Apache2"]
    close = within_ten_seconds("the page's close button does not show after its topic was pressed", lambda: next(
        (node for node in below(page) if node.name == "关闭" and showing(node)), None))
    press(close)
    within_ten_seconds("the page still shows after its close button was pressed", lambda: not showing(page))
    print("PASS: a topic button opens its page, the page's close button closes it")

    press(next(node for node in window if node.name == "关闭" and node.getRoleName() == "push button"))


if __name__ == "__main__":
    main()
