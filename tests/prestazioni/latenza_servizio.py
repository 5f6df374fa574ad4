#!/usr/bin/env python3
"""How long scenario-tool view --serve takes to build the page again after a
saved edit, on a generated 1,000,000 m scenario: 21 saves of the train file,
each waited for on the page's stream of events. Prints the median build time
(the server's own figure: the build and the page) against the goal of
100 ms, and the median time from the save to the event (which adds the looks
at the files: every 50 ms, and one more for the file to stand still), and
the processor time the server spent on each save (from /proc, where there
is one: on a busy machine the wall times grow, this does not).

    latenza_servizio.py SCENARIO_TOOL GENERA_SCENARIO
"""
import http.client, json, os, re, shutil, signal, statistics, subprocess, sys, time

import scenario_lungo

GOAL_MS = 100
tool, generatore = sys.argv[1], sys.argv[2]
cartella, linea, treno = scenario_lungo.genera(generatore)
linea, treno = os.path.join(cartella, linea), os.path.join(cartella, treno)
with open(treno, "rb") as f:
    testo_treno = f.read()

server = subprocess.Popen([tool, "view", "--serve", linea, treno], stdout=subprocess.PIPE, text=True)
porta = int(re.match(r"serving http://127\.0\.0\.1:(\d+)/", server.stdout.readline()).group(1))
primo = server.stdout.readline()
connessione = http.client.HTTPConnection("127.0.0.1", porta, timeout=30)
connessione.request("GET", "/")
pagina = connessione.getresponse().read()
connessione.request("GET", "/events")
flusso = connessione.getresponse()


def prossimo_evento():
    dati = ""
    while True:
        riga = flusso.fp.readline().decode()
        if riga.startswith("data: "):
            dati += riga[6:].rstrip("\n")
        elif riga == "\n" and dati:
            return json.loads(dati)


def tempo_processore():
    """The server's processor time so far, in ms (None without /proc)."""
    try:
        with open("/proc/%d/stat" % server.pid) as f:
            campi = f.read().rsplit(")", 1)[1].split()
        return (int(campi[11]) + int(campi[12])) * 1000 / os.sysconf("SC_CLK_TCK")
    except OSError:
        return None


prossimo_evento()
costruzioni, attese, processore = [], [], []
for n in range(1, 22):
    time.sleep(0.2)
    inizio = time.perf_counter()
    cpu = tempo_processore()
    with open(treno, "wb") as f:
        f.write(testo_treno + b"-- change %d\r\n" % n)
    evento = prossimo_evento()
    attese.append((time.perf_counter() - inizio) * 1000)
    if cpu is not None:
        processore.append(tempo_processore() - cpu)
    if not evento["current"]:
        sys.exit("the build after change %d made no scenario: %s" % (n, evento["failure"]))
    costruzioni.append(evento["milliseconds"])
server.send_signal(signal.SIGINT)
server.wait()
shutil.rmtree(cartella)
mediana = statistics.median(costruzioni)
print("\nscenario-tool view --serve at 1,000,000 m (page %.1f MB): first build %s" % (len(pagina) / 1e6, primo.strip()))
print("  a saved edit built again: median %.0f ms (min %.0f, max %.0f, %d saves); from the save to the event, median %.0f ms"
      % (mediana, min(costruzioni), max(costruzioni), len(costruzioni), statistics.median(attese)))
if processore:
    print("  processor time of the server per save: median %.0f ms (it counts in steps of %.0f ms)"
          % (statistics.median(processore), 1000 / os.sysconf("SC_CLK_TCK")))
print("Goal at 1,000,000 m: the page built again within %d ms (%s)" % (GOAL_MS, "met" if mediana <= GOAL_MS else "not met"))
