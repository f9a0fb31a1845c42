# shellcheck shell=bash
# The state the recipes are pasted into, made inside the booted proof root:
# the services a server runs, users, a site, databases, files and archives for
# the samples of recipes.tsv.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
echo '127.0.1.1 tovanu-proof blog.example.org www.blog.example.org shop.example.org' >> /etc/hosts

systemctl start mariadb
mysql <<'SQL'
CREATE DATABASE shop CHARACTER SET utf8mb4;
CREATE TABLE shop.items (id INT PRIMARY KEY, name VARCHAR(20));
INSERT INTO shop.items VALUES (1, '书'), (2, 'pen');
CREATE DATABASE scratch;
SQL
systemctl start apache2
systemctl start ssh

for u in alice bob carol; do useradd -m -s /bin/bash "$u"; done
mkdir -p /srv/data /srv/archives /var/www/blog
echo 'hello tovanu' > /srv/data/notes
echo 'scratch file' > /srv/data/scratch
echo 'the blog' > /var/www/blog/index.html
tar -czf /srv/archives/data.tar.gz -C /srv data
(cd /srv && zip -qr archives/data.zip data)
gzip -c /srv/data/notes > /srv/archives/notes.gz
# A zip made on Windows: its names in GBK, without the UTF-8 flag.
python3 - <<'PY'
import os, subprocess
os.makedirs(b'/tmp/gbk', exist_ok=True)
with open('中文说明.txt'.encode('gbk').join([b'/tmp/gbk/', b'']), 'w') as f:
    f.write('hello\n')
subprocess.run(['zip', '-qr', '/srv/archives/windows.zip', '.'], cwd=b'/tmp/gbk', check=True)
PY
mkdir -p /srv/trash /var/www/blog/uploads
echo 'to be removed' > /srv/trash/a
printf '#!/bin/sh\necho hi\n' > /srv/run.sh
tar -czf /srv/archives/blog-backup.tar.gz -C / var/www/blog
tar -czf /srv/archives/etc-backup.tar.gz -C / etc/ssh
mysql -e "CREATE DATABASE restored; CREATE DATABASE restored2; CREATE USER 'webuser'@'localhost' IDENTIFIED BY 'Web-pass-1';"
touch /var/log/wtmp /var/log/btmp
echo '# nothing yet' | crontab -
echo '# nothing yet' | crontab -u alice -
(setsid sleep 1001 > /dev/null 2>&1 &)
(setsid sleep 1002 > /dev/null 2>&1 &)
# A site with a typo, which enabling must refuse.
printf '<VirtualHost *:80>\n    ServerName broken.example.org\n    <Directory /var/www/html>\n        Requre all granted\n    </Directory>\n</VirtualHost>\n' \
  > /etc/apache2/sites-available/broken.example.org.conf
