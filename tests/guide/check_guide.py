#!/usr/bin/env python3
"""check_guide.py RavoOhje.mht

The built user's guide is a web archive that a browser opens: multipart/related with the
HTML page first, the page in Finnish naming every palette button by the hint the program
shows, every picture that the page names inside the archive as a PNG, and the pictures
different from each other (a failed screenshot gives blank, equal pictures)."""

import email
import hashlib
import re
import struct
import sys
from email import policy

HINTS = [
    "Siirry läpinäkymättömään tilaan ja takaisin",
    "Näytä/Piilota verho",
    "Avaa kynän vahvuuden valinta",
    "Avaa piirtotyökaluvalikko",
    "Leikkaustyökalu",
    "Avaa tekstieditori",
    "Värjää alue",
    "Avaa värivalikko",
    "Avaa työkaluvalikko",
    "Avaa pyyhkimistyövalikko",
    "Edellisen piirron peruutus",
    "Tyhjennä kuva-alue",
    "Ota taustasta kuva ja tuo kuvapinnalle",
    "Tulosta näytön kuva. Läpinäkyvässä tilassa tausta ja piirto yhdessä, "
    "läpinäkymättömässä tilassa vain piirretty kuva.",
    "Avaa kuvatiedosto",
    "Tallenna kuva tiedostoon",
    "Avaa asetukset-ikkuna",
    "Tietoja Ravosta",
    "Poista ja aseta piirtotila. Vihreä tarkoittaa päällä, harmaa pois päältä.",
    "Piennennä/Suurenna valikko",
    "Suljetaan Ravo",
]
SECTIONS = [
    "Aloitus", "Paletti", "Piirtäminen ja kuviot", "Teksti", "Leikkaukset ja kuvatyökalut",
    "Työkalukirjasto ja sommitelmat", "Verho ja kehys", "Suurennuslasi", "Asetukset",
    "Tiedostot ja tulostus", "Asetustiedosto Ravo.ini", "Päivitykset",
]
# Windows whose pictures must show a whole window, not a sliver.
WINDOWS = ["kuviovalikko", "tekstiikkuna", "asetukset", "tyokalukirjasto", "tietoja",
           "kaannetty-tyokalu", "piirros", "kokonakyma"]

faults = []


def fault(text):
    faults.append(text)
    print("VIRHE: " + text)


def main():
    with open(sys.argv[1], "rb") as f:
        archive = email.message_from_binary_file(f, policy=policy.default)
    if archive.get_content_type() != "multipart/related":
        fault("not multipart/related: " + archive.get_content_type())
        return
    parts = list(archive.iter_parts())
    if not parts or parts[0].get_content_type() != "text/html":
        fault("the first part is not text/html")
        return
    page = parts[0].get_content()
    if '<html lang="fi">' not in page:
        fault("the page is not marked Finnish")
    for word in ["Paletti", "piirtopinta", "painike", "näytön", "ikkuna"]:
        if word not in page:
            fault("Finnish word missing: " + word)
    for hint in HINTS:
        if "”" + hint + "”" not in page:
            fault("hint missing: " + hint)
    headings = re.findall(r"<h2[^>]*>\s*\d+\.\s*([^<]+)</h2>", page)
    if headings != SECTIONS:
        fault("sections %s, expected %s" % (headings, SECTIONS))

    pictures = {}
    for part in parts[1:]:
        cid = (part["Content-ID"] or "").strip("<>")
        if part.get_content_type() != "image/png":
            fault(cid + " is " + part.get_content_type())
            continue
        if not part["Content-Location"]:
            fault(cid + " has no Content-Location")
        pictures[cid] = part.get_content()
    named = re.findall(r'src="cid:([^"]+)"', page)
    if len(named) < 30:
        fault("only %d pictures named" % len(named))
    if re.search(r'src="(?!cid:)', page):
        fault("a picture named outside the archive")
    digests = {}
    for cid in named:
        data = pictures.get(cid)
        if data is None:
            fault("picture not in the archive: " + cid)
            continue
        if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
            fault(cid + " is not a PNG")
            continue
        width, height = struct.unpack(">II", data[16:24])
        name = cid.split(".png")[0]
        if name in WINDOWS and (width < 100 or height < 100):
            fault("%s is only %dx%d" % (cid, width, height))
        if name.startswith("nappi-") and (width != 38 or not 24 <= height <= 28):
            fault("%s is %dx%d, not a palette button" % (cid, width, height))
        digest = hashlib.sha256(data).hexdigest()
        if digest in digests and digests[digest] != cid:
            fault("%s is the same picture as %s" % (cid, digests[digest]))
        digests.setdefault(digest, cid)
    unused = set(pictures) - set(named)
    if unused:
        fault("pictures that the page does not show: " + ", ".join(sorted(unused)))


if __name__ == "__main__":
    main()
    if not faults:
        print("RavoOhje.mht: verkkoarkisto kunnossa")
    sys.exit(1 if faults else 0)
