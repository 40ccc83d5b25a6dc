"""The drawing and the JSON dumps of this scenario, read by real parsers.

Runs the scenario program in a folder of its own, then scenario-tool plot on
that folder and scenario-tool dump --json on each compiled file. The drawing
must be well-formed XML whose root is an SVG element and whose texts hold the
names of the 21 stations; each dump must be valid JSON with one record per
cell, per table entry and per plan metre.

usage: check_plot.py SCENARIO_TOOL SCENARIO_PROGRAM
"""

import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

LINEA = "Metropolitana di Orvalla Linea A Corvesca-Sarvedano"
STAZIONI = [
    "CORVESCA", "VALCHIARA'", "ROSSAVELLA", "MARCO TESSITORE", "PIANO SERENO",
    "CORTE DEI MERLAI", "PORTA SALICE ORTENSE", "ARCO DI PIETRALUNA", "COLLI SERENI",
    "PIAZZA LAVINA", "PONTE VALLE", "SAN BASILIDE", "FERLANI", "GIARDINO DEL PERO",
    "SORVELO", "CORTESELLA", "MALVASINI", "TORNEA", "VERDANIO", "BRENTIO", "SARVEDANO",
]
SVG = "{http://www.w3.org/2000/svg}"


def esegui(*comando, **opzioni):
    return subprocess.run(comando, check=True, capture_output=True, **opzioni).stdout


def main():
    strumento, programma = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as cartella:
        cartella = pathlib.Path(cartella)
        copia = cartella / pathlib.Path(programma).name
        shutil.copy(programma, copia)
        esegui(str(copia), cwd="/")

        disegno = cartella / "scenario.svg"
        esegui(strumento, "plot", str(cartella), "-o", str(disegno))
        radice = ElementTree.parse(disegno).getroot()
        assert radice.tag == SVG + "svg", radice.tag
        testi = {"".join(t.itertext()) for t in radice.iter(SVG + "text")}
        mancanti = [nome for nome in STAZIONI if nome not in testi]
        assert not mancanti, f"stations not named in the drawing: {mancanti}"

        for nome, lista, quanti in [
            (f"{LINEA}_54.dat", "celle", 591),
            (f"{LINEA}_54.sim", "voci", 87),
            (f"{LINEA}_linea.dat", "metri", 29501),
        ]:
            documento = json.loads(esegui(strumento, "dump", str(cartella / nome), "--json"))
            assert len(documento[lista]) == quanti, (nome, len(documento[lista]))
    print("drawing and dumps parsed")


if __name__ == "__main__":
    main()
