# shellcheck shell=bash
# Servers as users have them: states a row of recipes.tsv is pasted into
# (state=NAME). make_NAME makes the state on top of the fixtures, undo_NAME
# takes it away again, whatever the pasted entry did in between. What undo
# needs to put back is kept in /run/tovanu-state, outside the snapshot.
set -e
saved=/run/tovanu-state

save_ufw() {
  mkdir -p "$saved" && rm -rf "$saved/ufw" && cp -a /etc/ufw "$saved/ufw" && cp -a /etc/default/ufw "$saved/default-ufw"
}
restore_ufw() {
  ufw --force disable > /dev/null
  rm -rf /etc/ufw && cp -a "$saved/ufw" /etc/ufw && cp -a "$saved/default-ufw" /etc/default/ufw
}

# A site that certbot has turned to https: its port-80 virtual host ends
# with the three lines that send every visitor to https.
make_certbot_site() {
  mkdir -p /var/www/certbot
  echo 'the certbot site' > /var/www/certbot/index.html
  cat > /etc/apache2/sites-available/certbot.example.org.conf <<'EOF'
<VirtualHost *:80>
    ServerName certbot.example.org
    DocumentRoot "/var/www/certbot"
RewriteEngine on
RewriteCond %{SERVER_NAME} =certbot.example.org
RewriteRule ^ https://%{SERVER_NAME}%{REQUEST_URI} [END,NE,R=permanent]
</VirtualHost>
EOF
  a2enmod -q rewrite && a2ensite -q certbot.example.org && systemctl reload apache2
}
undo_certbot_site() {
  a2dissite -q certbot.example.org && systemctl reload apache2
  rm -rf /etc/apache2/sites-available/certbot.example.org.conf* /var/www/certbot /root/backup/apache-certbot.example.org.conf-*
}

# A website's own MariaDB account, with the name a user might choose for an
# administrator.
make_site_account() {
  mysql -e "CREATE USER 'shopapp'@'localhost' IDENTIFIED BY 'Shop-pass-1'; GRANT SELECT ON shop.* TO 'shopapp'@'localhost';"
}
undo_site_account() {
  mysql -e "DROP USER IF EXISTS 'shopapp'@'localhost'"
}

# Two databases whose names differ where "_" stands: a grant on blog_db that
# is read as a pattern reaches blogXdb too.
make_two_blogs() {
  mysql -e "CREATE DATABASE blog_db; CREATE DATABASE blogXdb; CREATE TABLE blogXdb.secret (s VARCHAR(20)); INSERT INTO blogXdb.secret VALUES ('private');"
}
undo_two_blogs() {
  mysql -e "DROP DATABASE blog_db; DROP DATABASE blogXdb; DROP USER IF EXISTS 'bloguser'@'localhost', 'bloguser'@'192.0.2.30';"
}

# A firewall that is on but lets everything in.
make_firewall_allows_all() {
  save_ufw
  ufw default allow incoming > /dev/null && ufw allow 22/tcp > /dev/null && ufw --force enable > /dev/null
}
undo_firewall_allows_all() { restore_ufw; }

# A firewall that is on, for IPv4 only.
make_firewall_without_ipv6() {
  save_ufw
  sed -i 's/^IPV6=.*/IPV6=no/' /etc/default/ufw
  ufw allow 22/tcp > /dev/null && ufw --force enable > /dev/null
}
undo_firewall_without_ipv6() {
  restore_ufw
  mysql -e "DROP USER IF EXISTS 'remoteuser'@'2001:db8::20'"
  rm -f /etc/mysql/mariadb.conf.d/zz-tovanu-remote.cnf
}

# Root holds no key; erin, who is not in the sudo group, holds one.
make_root_without_key() {
  mkdir -p "$saved"
  if [ -e /root/.ssh/authorized_keys ]; then mv /root/.ssh/authorized_keys "$saved/root-keys"; fi
  useradd -m -s /bin/bash erin
  install -d -m 700 -o erin -g erin /home/erin/.ssh
  echo 'ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIHRvdmFudQ erin@laptop' > /home/erin/.ssh/authorized_keys
}
undo_root_without_key() {
  userdel -r erin 2> /dev/null
  if [ -e "$saved/root-keys" ]; then mv "$saved/root-keys" /root/.ssh/authorized_keys; fi
}

# An Ubuntu release, as far as the sources recipes ask: its code name.
pretend_release() {
  mkdir -p "$saved" && cp -P /etc/os-release "$saved/os-release"
  sed "s/^VERSION_CODENAME=.*/VERSION_CODENAME=$1/" /usr/lib/os-release > /etc/os-release.new && mv /etc/os-release.new /etc/os-release
}
make_ubuntu_jammy() { pretend_release jammy; }
make_ubuntu_noble() { pretend_release noble; }
undo_ubuntu_jammy() { mv "$saved/os-release" /etc/os-release; }
undo_ubuntu_noble() { mv "$saved/os-release" /etc/os-release; }

# certbot without Let's Encrypt: it writes down the names it was asked for.
make_certbot_offline() {
  printf '#!/bin/sh\necho "$*" > /run/tovanu-state/certbot-args\n' > /usr/local/bin/certbot
  chmod 755 /usr/local/bin/certbot && mkdir -p "$saved"
}
undo_certbot_offline() { rm -f /usr/local/bin/certbot "$saved/certbot-args"; }

# A second server to copy backups to: this one, reached over IPv6 as alice,
# with root's key and its host key already known.
make_second_server() {
  install -d -m 700 /root/.ssh && ssh-keygen -q -t ed25519 -N '' -C proof -f /root/.ssh/id_ed25519
  install -d -m 700 -o alice -g alice /home/alice/.ssh
  install -m 600 -o alice -g alice /root/.ssh/id_ed25519.pub /home/alice/.ssh/authorized_keys
  port=$(sshd -T | awk '$1 == "port" { print $2; exit }')
  printf 'Host ::1\n    Port %s\n' "$port" > /root/.ssh/config
  ssh-keyscan -p "$port" ::1 > /root/.ssh/known_hosts 2> /dev/null
  sudo -u alice mkdir -p /home/alice/backup
}
undo_second_server() {
  rm -rf /root/.ssh/id_ed25519 /root/.ssh/id_ed25519.pub /root/.ssh/config /root/.ssh/known_hosts /home/alice/.ssh /home/alice/backup
}

# A database server that will not start listening on every address (as when
# another setting of the server's own clashes with it).
make_database_stays_local() {
  mkdir -p /etc/systemd/system/mariadb.service.d
  printf '[Service]\nExecStartPre=/bin/sh -c "! grep -qs bind-address /etc/mysql/mariadb.conf.d/zz-tovanu-remote.cnf"\n' \
    > /etc/systemd/system/mariadb.service.d/stays-local.conf
  systemctl daemon-reload
}
undo_database_stays_local() {
  rm -rf /etc/systemd/system/mariadb.service.d
  systemctl daemon-reload && systemctl restart mariadb
}
