#!/usr/bin/env python3
"""How long scenario-tool lsp takes from a change in the editor to the
diagnostics it publishes, on a generated 1,000,000 m scenario: the line file
and the train file open, then 41 changes to the train file, each one waited
for. Prints the median against the goal of 50 ms.

    latenza_lsp.py SCENARIO_TOOL GENERA_SCENARIO
"""
import json, os, shutil, statistics, subprocess, sys, time
from urllib.parse import quote

import scenario_lungo

GOAL_MS = 50
tool, generatore = sys.argv[1], sys.argv[2]
cartella, linea, treno = scenario_lungo.genera(generatore)


def uri(nome):
    return "file://" + quote(os.path.join(cartella, nome))


server = subprocess.Popen([tool, "lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)


def manda(messaggio):
    corpo = json.dumps(messaggio).encode()
    server.stdin.write(b"Content-Length: %d\r\n\r\n" % len(corpo) + corpo)
    server.stdin.flush()


def ricevi():
    testa = b""
    while not testa.endswith(b"\r\n\r\n"):
        testa += server.stdout.read(1)
    lunghezza = next(int(r.split(b":")[1]) for r in testa.split(b"\r\n") if r.lower().startswith(b"content-length"))
    return json.loads(server.stdout.read(lunghezza))


def attendi_diagnostiche(u):
    while True:
        m = ricevi()
        if m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == u:
            return m


def testo(nome):
    with open(os.path.join(cartella, nome), "rb") as f:
        return f.read().decode("cp1252")


manda({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
while "id" not in ricevi():
    pass
manda({"jsonrpc": "2.0", "method": "initialized", "params": {}})
testo_treno = testo(treno)
for nome, t in ((linea, testo(linea)), (treno, testo_treno)):
    manda({"jsonrpc": "2.0", "method": "textDocument/didOpen",
           "params": {"textDocument": {"uri": uri(nome), "languageId": "text", "version": 1, "text": t}}})
attendi_diagnostiche(uri(treno))
tempi = []
for versione in range(2, 43):
    nuovo = testo_treno + "-- change %d\r\n" % versione
    inizio = time.perf_counter()
    manda({"jsonrpc": "2.0", "method": "textDocument/didChange",
           "params": {"textDocument": {"uri": uri(treno), "version": versione}, "contentChanges": [{"text": nuovo}]}})
    attendi_diagnostiche(uri(treno))
    tempi.append((time.perf_counter() - inizio) * 1000)
manda({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
manda({"jsonrpc": "2.0", "method": "exit"})
server.wait()
shutil.rmtree(cartella)
mediana = statistics.median(tempi)
print("\nscenario-tool lsp at 1,000,000 m: a change to its diagnostics, median %.1f ms (min %.1f, max %.1f, %d changes)"
      % (mediana, min(tempi), max(tempi), len(tempi)))
print("Goal of the server at 1,000,000 m: diagnostics within %d ms median (%s)" % (GOAL_MS, "met" if mediana <= GOAL_MS else "not met"))
