#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target into OUT/<target>/: slices of the demo data, the demo
plans, and the sample files the tests are written around, in the input layout each target expects."""
import ast
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEMO = ROOT / "data" / "demo"

# navdata_fuzz: the first byte picks the file (the order of kChoices in navdata_fuzz.cpp).
NAVDATA_FILES = ["NAVapt.dat", "NAVvor.dat", "NAVndb.dat", "NAVrwy.dat", "NAVwpt.dat", "NAVawy.dat",
                 "corvane_geo.dat", "corvane_user.dat", "fsxarp.dat", "fsxhel.dat", "fsxvor.dat", "fsxils.dat",
                 "fsxndb.dat", "fsxrwy.dat", "corvane_user.dat", "NAVwpt.dat"]
# The family-mode files read in the same columns as the demo's X-Plane ones.
FS_SEEDS = {"fsxarp.dat": "NAVapt.dat", "fsxvor.dat": "NAVvor.dat", "fsxils.dat": "NAVvor.dat",
            "fsxndb.dat": "NAVndb.dat", "fsxrwy.dat": "NAVrwy.dat"}
HELIPORTS = "EHHE    52.300000     4.750000 270    15    10\nEHXX   -12.500000  -100.250000 090    30    20\n"


def demo_lines(name, first=0, count=40):
    lines = (DEMO / name).read_bytes().split(b"\n")
    return b"\n".join(lines[first:first + count]) + b"\n"


def literal(source, name):
    """The text of a C++ string constant `name` of a test file: adjacent literals, raw ones too."""
    match = re.search(r"\b" + name + r"\s*=\s*(.*?);\n", source, re.S)
    text = ""
    for raw, plain in re.findall(r'R"\((.*?)\)"|("(?:[^"\\\n]|\\.)*")', match.group(1), re.S):
        text += raw if raw else ast.literal_eval(plain)
    return text.encode()


def write(folder, name, data):
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def main(out):
    out = pathlib.Path(out)
    navdata = out / "navdata_fuzz"
    for index, name in enumerate(NAVDATA_FILES):
        source = FS_SEEDS.get(name, name)
        if name == "fsxhel.dat":
            body = HELIPORTS.encode()
        elif (DEMO / source).exists():
            body = demo_lines(source)
        else:
            continue
        write(navdata, f"{index:02d}-{name}", bytes([index]) + body)
        if name == "NAVawy.dat":
            write(navdata, f"{index:02d}-{name}-middle", bytes([index]) + demo_lines(source, 2000, 60))

    plans = out / "plan_file_fuzz"
    for plan in sorted((ROOT / "docs").glob("*.nav")):
        write(plans, plan.name, plan.read_bytes())

    procedures = out / "procedures_fuzz"
    for name in ("navsid.dat", "navstar.dat"):
        for airport in ("EHAM", "BIKF", "EGLL"):
            write(procedures, f"{airport}-{name}", airport.encode() + b"\n" + (DEMO / name).read_bytes())

    layouts = out / "airport_layout_fuzz"
    layout = (DEMO / "corvanxX_apt.dat").read_bytes().split(b"\n")
    runways = b"".join(l + b"\n" for l in (DEMO / "NAVrwy.dat").read_bytes().split(b"\n") if l.startswith(b"EBBR"))
    write(layouts, "EBBR", b"EBBR\n" + b"\n".join(layout[:120]) + b"\n\f" + runways)
    write(layouts, "eb", b"eb\n" + b"\n".join(layout[:60]) + b"\n")

    kml = out / "kml_fuzz"
    for sample in sorted((ROOT / "corvane" / "cli" / "scripts" / "exchange").glob("*.kml")):
        write(kml, sample.name, sample.read_bytes())

    settings = out / "settings_fuzz"
    write(settings, "window.INI", b"[Form]\r\nTop=10\r\nLeft=20\r\nHeight=600\r\nWidth=800\r\n[Position]\r\n"
          b"Xpos=4.76\r\nYpos=52.3\r\n[Display]\r\nFontName=Arial\r\nFontSize=8\r\n[Colors]\r\nARP=4227327\r\n")
    write(settings, "comments.INI", b"; kept\n[display]\nfontsize = -3\n\n[Colors]\nGEO3=-16777201\nunknown=1\n")

    navimport = out / "navimport_source_fuzz"
    run_test = (ROOT / "tools" / "navimport" / "navimport_run_test.cpp").read_text()
    for reader, constant in ((0, "kApt"), (1, "kAwy"), (2, "kFix"), (3, "kNav"), (4, "kNav")):
        write(navimport, f"{reader}-{constant}", bytes([reader]) + literal(run_test, constant))
    topo_test = (ROOT / "tools" / "navimport" / "topojson_geo_test.cpp").read_text()
    write(navimport, "5-land", bytes([5]) + literal(topo_test, "kQuantizedLand"))
    write(navimport, "6-countries", bytes([6]) + literal(topo_test, "kCountries"))

    # The link: a server that answers every read with zeros, and one that answers the handshake.
    simlink = out / "simlink_reply_fuzz"
    write(simlink, "zeros", bytes(64))
    write(simlink, "version", bytes([0]) + b"\x05\x00\x98\x19" + bytes([0x08, 0x33, 0xDE, 0xFA]) + bytes(200))

    # FlightGear's replies: one poll of plausible values with a listing of two aircraft, and the same
    # with the traffic's own answers in the next poll.
    flightgear = out / "flightgear_reply_fuzz"
    values = b"".join(b"%d.5\r\n" % n for n in range(40))
    listing = b"aircraft/\r\nmultiplayer[2]/\r\ncarrier/\r\n\r\n"
    write(flightgear, "poll", values + listing)
    write(flightgear, "two-polls", values + listing + values + b"true\r\nKLM1234\r\n52.6\r\n" * 3 + listing)
    write(flightgear, "xplane", b"\x01" + values + b"\r\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: seed_corpora.py OUT_FOLDER")
    main(sys.argv[1])
