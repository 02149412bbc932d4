"""Reads an exported results file back the way other programs would and prints its cells as JSON.

csv:  Python's csv module, one list of values per record.
html: Python's HTML parser, one list of cell texts per table row (th and td alike), character
      references resolved.
"""
import csv
import html.parser
import json
import sys


def read_csv(path):
    with open(path, encoding="utf-8", newline="") as f:
        return [row for row in csv.reader(f)]


class TableCells(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self.cell = None
        self.tags = []

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            self.cell = ""

    def handle_endtag(self, tag):
        self.tags.append("/" + tag)
        if tag in ("td", "th") and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def read_html(path):
    with open(path, "rb") as f:
        parser = TableCells()
        parser.feed(f.read().decode("utf-8"))
    return {"rows": parser.rows, "tags": sorted(set(parser.tags))}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    result = read_csv(path) if kind == "csv" else read_html(path)
    json.dump(result, sys.stdout)
