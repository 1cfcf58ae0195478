#!/usr/bin/env python3
"""Writes the tables the Open tests read: a CSV file in Shift-JIS, and the same
kind of table as an .xlsx and an .ods workbook, made of the least XML each
format needs (no office program involved).  Run once; the files are kept.

vapour-pressure.csv: the vapour pressure of water in Pa at 0 to 100 degrees
Celsius (CRC Handbook of Chemistry and Physics), names in Japanese, the values
of 1000 Pa and more with their digits grouped, in quotes, as a spreadsheet
exports them.
us-population.xlsx / .ods: the resident population of the United States at
the censuses of 1790 to 1900 (U.S. Census Bureau), under the names "year" and
"US population"; a second sheet that must not be read.
"""
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent

VAPOUR = [(0, "611.3"), (20, "2,338.9"), (40, "7,381.4"), (60, "19,946"), (80, "47,373"), (100, "101,325")]
POPULATION = [(1790, 3929214), (1800, 5308483), (1810, 7239881), (1820, 9638453), (1830, 12866020),
              (1840, 17069453), (1850, 23191876), (1860, 31443321), (1870, 38558371), (1880, 50189209),
              (1890, 62979766), (1900, 76212168)]
NAMES = ["year", "US population"]


def write_csv():
    lines = ["温度 ℃,蒸気圧 Pa"] + [f'{t},"{p}"' if "," in p else f"{t},{p}" for t, p in VAPOUR]
    (HERE / "vapour-pressure.csv").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


def stored(archive, name, text):
    info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(info, text)


def write_xlsx():
    def sheet(rows):
        xml = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
               '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
        for r, cells in enumerate(rows, start=1):
            xml.append(f'<row r="{r}">')
            for c, cell in enumerate(cells):
                ref = f"{'AB'[c]}{r}"
                if isinstance(cell, str):
                    xml.append(f'<c r="{ref}" t="s"><v>{cell}</v></c>')  # an index into the shared strings
                else:
                    xml.append(f'<c r="{ref}"><v>{cell}</v></c>')
            xml.append("</row>")
        xml.append("</sheetData></worksheet>")
        return "".join(xml)

    rows = [["0", "1"]] + [[y, p] for y, p in POPULATION]
    with zipfile.ZipFile(HERE / "us-population.xlsx", "w") as z:
        stored(z, "[Content_Types].xml",
               '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
               '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
               '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
               '<Default Extension="xml" ContentType="application/xml"/>'
               '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
               '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
               '<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
               '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
               '</Types>')
        stored(z, "_rels/.rels",
               '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
               '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
               '</Relationships>')
        stored(z, "xl/workbook.xml",
               '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
               '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
               'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
               '<sheets><sheet name="census" sheetId="1" r:id="rId1"/><sheet name="notes" sheetId="2" r:id="rId2"/></sheets>'
               '</workbook>')
        stored(z, "xl/_rels/workbook.xml.rels",
               '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
               '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
               '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>'
               '<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>'
               '</Relationships>')
        stored(z, "xl/sharedStrings.xml",
               '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
               '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3">'
               + "".join(f"<si><t>{n}</t></si>" for n in NAMES + ["not data"]) + "</sst>")
        stored(z, "xl/worksheets/sheet1.xml", sheet(rows))
        stored(z, "xl/worksheets/sheet2.xml", sheet([["2"] * 2] * 200))


def write_ods():
    ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"')

    def table(name, rows):
        xml = [f'<table:table table:name="{name}">']
        for cells in rows:
            xml.append("<table:table-row>")
            for cell in cells:
                if isinstance(cell, str):
                    xml.append(f'<table:table-cell office:value-type="string"><text:p>{cell}</text:p></table:table-cell>')
                else:
                    xml.append(f'<table:table-cell office:value-type="float" office:value="{cell}">'
                               f"<text:p>{cell:,}</text:p></table:table-cell>")
            xml.append("</table:table-row>")
        xml.append("</table:table>")
        return "".join(xml)

    with zipfile.ZipFile(HERE / "us-population.ods", "w") as z:
        mimetype = zipfile.ZipInfo("mimetype", date_time=(2024, 1, 1, 0, 0, 0))  # first and not compressed
        z.writestr(mimetype, "application/vnd.oasis.opendocument.spreadsheet")
        stored(z, "META-INF/manifest.xml",
               '<?xml version="1.0" encoding="UTF-8"?>'
               '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
               '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
               '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
               "</manifest:manifest>")
        stored(z, "content.xml",
               f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {ns}><office:body><office:spreadsheet>'
               + table("census", [NAMES] + [[y, p] for y, p in POPULATION])
               + table("notes", [["not data", "not data"]] * 200)
               + "</office:spreadsheet></office:body></office:document-content>")


write_csv()
write_xlsx()
write_ods()
