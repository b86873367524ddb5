#!/usr/bin/env python3
"""Builds a catalogue database (for example Gameen.dat) from its SQL text."""
import os
import sqlite3
import sys

sql, out = sys.argv[1], sys.argv[2]
if os.path.exists(out):
    os.remove(out)
with open(sql, encoding="utf-8") as f:
    script = f.read()
connection = sqlite3.connect(out)
connection.executescript(script)
connection.commit()
connection.close()
