#!/usr/bin/env python3
"""guide_mhtml.py PAGE PICTURES OUTFILE

Assembles the user's guide into one web archive (MHTML, multipart/related): the HTML page
PAGE first, then every picture it names with src="NAME.png", read from the folder PICTURES
and put in base64. The page refers to each picture by cid:, and each picture also carries
its name as Content-Location. Fixed boundary and no dates, so that the same page and pictures
give the same file."""

import re
import sys
from email.header import Header
from email.mime.image import MIMEImage
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.policy import compat32
from pathlib import Path

BASE = "https://ravo.tervaso.example/ohje/"


def main() -> int:
    if len(sys.argv) != 4:
        print("Käyttö: guide_mhtml.py SIVU KUVAKANSIO TULOSTIEDOSTO", file=sys.stderr)
        return 2
    page = Path(sys.argv[1]).read_text(encoding="utf-8")
    pictures = Path(sys.argv[2])
    names = []
    for name in re.findall(r'src="([A-Za-z0-9_.-]+\.png)"', page):
        if name not in names:
            names.append(name)
    missing = [n for n in names if not (pictures / n).is_file()]
    if missing:
        print("Kuvat puuttuvat: " + ", ".join(missing), file=sys.stderr)
        return 1
    for name in names:
        page = page.replace(f'src="{name}"', f'src="cid:{name}@ravo"')

    archive = MIMEMultipart("related", boundary="----=_RavoOhje_osa", type="text/html")
    archive["Subject"] = Header("Ravo – käyttöohje", "utf-8")
    archive["Snapshot-Content-Location"] = BASE + "RavoOhje.html"
    archive.preamble = "MHTML-verkkoarkisto: Ravon ohje kuvineen."
    html = MIMEText(page, "html", "utf-8")
    html["Content-Location"] = BASE + "RavoOhje.html"
    archive.attach(html)
    for name in names:
        picture = MIMEImage((pictures / name).read_bytes(), "png")
        picture["Content-ID"] = f"<{name}@ravo>"
        picture["Content-Location"] = BASE + name
        archive.attach(picture)
    Path(sys.argv[3]).write_bytes(archive.as_bytes(policy=compat32.clone(linesep="\r\n")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
