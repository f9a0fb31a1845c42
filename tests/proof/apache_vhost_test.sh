#!/usr/bin/env bash
# The library's Apache 2.4 recipe for binding a domain and the subdomain
# page's own virtual host, each loaded by a real Apache 2.4 (Debian's
# /usr/sbin/apache2) in a throw-away configuration: the configuration test
# passes and a request with the domain in its Host header gets that site.
#
# The page's site is bound as the page tells: its two commands are run, the
# virtual host is written through the link they make (as the editor the page
# names writes it), and Apache loads sites-enabled/*.conf as Debian's does.
#
# Apache runs in private mount and network namespaces: the page's template
# logs to /var/log/apache2 and its commands work in /etc/apache2, so folders
# of the test's own are mounted on /var/log and /etc/apache2 there, and port
# 80 of the namespace's own loopback is free. The machine's Apache
# configuration, logs and service are never touched.
#
#   apache_vhost_test.sh DATA_FILE PRINT_PAGE_VHOST
set -euo pipefail

data_file=$1
page_vhost=$2
modules=/usr/lib/apache2/modules

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -z "${TOVANU_APACHE_NAMESPACE:-}" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "SKIP: the private mount and network namespaces need root"
    exit 77
  fi
  exec unshare --mount --net --propagation private env TOVANU_APACHE_NAMESPACE=1 bash "$0" "$@"
fi

# shellcheck source-path=SCRIPTDIR source=library.sh
. "$(dirname "$0")/library.sh"

work=$(mktemp -d)
conf=$work/apache2.conf
cleanup() {
  if [ -f "$work/run/apache2.pid" ]; then
    apache2 -f "$conf" -k graceful-stop 2>/dev/null || kill "$(cat "$work/run/apache2.pid")" 2>/dev/null || true
    for _ in $(seq 50); do
      [ -f "$work/run/apache2.pid" ] || break
      sleep 0.1
    done
  fi
  umount /var/log /etc/apache2 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
ip link set lo up
mkdir -p "$work/varlog/apache2" "$work/logs" "$work/run" "$work/sites" \
  "$work/etc-apache2/sites-available" "$work/etc-apache2/sites-enabled"
mount --bind "$work/varlog" /var/log
mount --bind "$work/etc-apache2" /etc/apache2

recipe_domain=shop.example.org
page_domain=blog.example.com
for site in default recipe page; do
  mkdir -p "$work/$site-site"
  echo "the $site site" > "$work/$site-site/index.html"
done
# A user's folder may have a blank in its name.
mv "$work/recipe-site" "$work/recipe site"

# The library's recipe: its here-document with the placeholders filled in.
recipe=$(entry_text "$data_file" '绑定域名/添加网站(虚拟主机,Apache 2.4)') || fail "no recipe for binding a domain"
[ "$(heredoc_target <<< "$recipe")" = "/etc/apache2/sites-available/'<域名>'.conf" ] \
  || fail "the recipe does not write sites-available/<域名>.conf"
for step in "a2ensite '<域名>'.conf" 'apache2ctl configtest' 'systemctl reload apache2'; do
  grep -qF -- "$step" <<< "$recipe" || fail "the recipe lacks '$step'"
done
heredoc_body <<< "$recipe" \
  | sed -e "s|<域名>|$recipe_domain|g" -e "s|<网站目录>|$work/recipe site|g" > "$work/sites/recipe.conf"
! grep -q '<[^<> ]*[^ -~][^<> ]*>' "$work/sites/recipe.conf" || fail "a placeholder is left in the recipe"
grep -q 'Require all granted' "$work/sites/recipe.conf" || fail "the recipe grants no access"

# The page's steps: its commands pasted (bash reads each CR LF as a line
# end), then its template, as the page fills it in, written to the link.
"$page_vhost" --bind "$page_domain" | tr -d '\r' | bash -e || fail "the page's commands failed"
[ -L "/etc/apache2/sites-enabled/$page_domain.conf" ] || fail "the page's commands did not link $page_domain.conf"
"$page_vhost" "$page_domain" "$work/page-site" > "/etc/apache2/sites-enabled/$page_domain.conf"
[ -f "/etc/apache2/sites-available/$page_domain" ] || fail "the link does not lead to sites-available/$page_domain"

cat > "$conf" <<CONF
ServerRoot $work
ServerName localhost
Define APACHE_LOG_DIR $work/logs
DefaultRuntimeDir $work/run
PidFile $work/run/apache2.pid
ErrorLog $work/logs/error.log
LogLevel warn
Listen 127.0.0.1:80
User nobody
Group nogroup
LoadModule mpm_event_module $modules/mod_mpm_event.so
LoadModule authz_core_module $modules/mod_authz_core.so
LoadModule authz_host_module $modules/mod_authz_host.so
LoadModule access_compat_module $modules/mod_access_compat.so
LoadModule alias_module $modules/mod_alias.so
LoadModule dir_module $modules/mod_dir.so
LoadModule mime_module $modules/mod_mime.so
TypesConfig /etc/mime.types
DirectoryIndex index.html

# As Debian's apache2.conf: nothing outside the granted folders is served.
<Directory />
    Options FollowSymLinks
    AllowOverride None
    Require all denied
</Directory>
# The page's site stands where Debian grants access, as /var/www does; the
# recipe's site is granted by the recipe alone.
<Directory $work/page-site>
    Require all granted
</Directory>

# The first virtual host answers every name that no other one claims.
<VirtualHost *:80>
    ServerName default.invalid
    DocumentRoot $work/default-site
    <Directory $work/default-site>
        Require all granted
    </Directory>
</VirtualHost>

Include $work/sites/*.conf
# As Debian's apache2.conf: only the enabled sites' .conf files.
IncludeOptional /etc/apache2/sites-enabled/*.conf
CONF

apache2 -f "$conf" -t 2>&1 | tee "$work/configtest.txt"
grep -qx 'Syntax OK' "$work/configtest.txt" || fail "apache2 -t did not pass"
echo "PASS: configuration test"

apache2 -f "$conf" -k start || fail "apache2 did not start: $(cat "$work/logs/error.log")"
for _ in $(seq 50); do
  curl -s -o /dev/null http://127.0.0.1/ && break
  sleep 0.1
done

# Gets / with this Host header; prints the body, fails on any status but 200.
page_for() {
  curl -sS --max-time 5 --fail -H "Host: $1" http://127.0.0.1/
}
[ "$(page_for "$recipe_domain")" = 'the recipe site' ] || fail "$recipe_domain did not get the recipe's site"
echo "PASS: the recipe's virtual host serves $recipe_domain"
[ "$(page_for "$page_domain")" = 'the page site' ] || fail "$page_domain did not get the page's site"
echo "PASS: the page's virtual host serves $page_domain"
[ "$(page_for other.example.net)" = 'the default site' ] || fail "another name did not get the default site"
echo "PASS: another name gets the default site"
[ -s "$work/varlog/apache2/access.log" ] || fail "the page's access log was not written to /var/log/apache2"
[ -s "$work/logs/$recipe_domain-access.log" ] || fail "the recipe's access log was not written to APACHE_LOG_DIR"
echo "PASS: each virtual host logs where it says"
