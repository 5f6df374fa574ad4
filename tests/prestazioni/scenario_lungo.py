"""The generated 1,000,000 m scenario that the latency scripts time their
tools on: a new temporary directory with its line file and its train file."""
import os, subprocess, tempfile


def genera(generatore):
    """Generates the scenario; returns (directory, line file name, train file name)."""
    cartella = tempfile.mkdtemp()
    subprocess.run([generatore, "--seed", "5", "--length", "1000000", "--no-edge-cases", "--out", cartella],
                   check=True, stdout=subprocess.DEVNULL)
    nomi = sorted(os.listdir(cartella))
    linea = next(n for n in nomi if n.endswith("_linea.txt"))
    treno = next(n for n in nomi if n.endswith("-.txt"))
    return cartella, linea, treno
