// The page of `scenario-tool view --serve` follows the author's files: the
// server sends an event after every build; when the build made a new
// picture, the new page is fetched and its content put in place of the old,
// the window's scroll kept, and 'vista:aggiornata' dispatched (the zoom keeps
// its own state on it). A bar at the top tells the last build: its
// diagnostics, and when it made no scenario, that the picture is stale.
// Without script the page is the plain page of `view`.
(function () {
    'use strict';
    const proprio = document.currentScript;
    let costruzione = Number(proprio.dataset.costruzione);
    let ultimo = null;
    let coda = Promise.resolve();

    const stile = document.createElement('style');
    stile.textContent = `
#vista-barra { position: sticky; top: 0; z-index: 10; margin: 0 -10px 8px; padding: 5px 10px;
  font: 13px/1.4 "DejaVu Sans", Verdana, Arial, sans-serif; border-bottom: 1px solid #b8c9b0;
  background: #e6f2e0; color: #1d3b12; }
#vista-barra.con-errori { background: #fff1d6; border-color: #d99a1e; color: #5a3a00; }
#vista-barra.superata, #vista-barra.scollegata { background: #fbe0dd; border-color: #c0392b; color: #6b1109; }
#vista-barra details { margin: 2px 0 0; }
#vista-barra summary { cursor: pointer; }
#vista-barra pre { margin: 4px 0; max-height: 40vh; overflow: auto; white-space: pre-wrap;
  font: 12px/1.35 "DejaVu Sans Mono", monospace; }
html.vista-superata body > :not(#vista-barra):not(script) { filter: grayscale(1); opacity: 0.55; }`;
    document.head.appendChild(stile);

    const barra = document.createElement('div');
    barra.id = 'vista-barra';
    barra.setAttribute('role', 'status');
    document.body.insertBefore(barra, document.body.firstChild);

    function testo(tag, contenuto) {
        const e = document.createElement(tag);
        e.textContent = contenuto;
        return e;
    }

    // The bar, from the last build's event.
    function mostra(stato) {
        barra.replaceChildren();
        barra.className = '';
        document.documentElement.classList.toggle('vista-superata', !stato.current && stato.picture > 0);
        let riga;
        if (stato.current) {
            riga = `Build ${stato.build}: up to date (${stato.summary}, ${stato.milliseconds} ms).`;
            if (stato.diagnostics.length > 0) barra.className = 'con-errori';
        } else {
            barra.className = 'superata';
            riga = stato.picture > 0
                ? `Build ${stato.build} made no scenario: ${stato.failure}. Stale picture, from build ${stato.picture}.`
                : `Build ${stato.build} made no scenario: ${stato.failure}.`;
        }
        barra.appendChild(testo('div', riga));
        if (stato.diagnostics.length > 0) {
            const dettagli = document.createElement('details');
            dettagli.open = !stato.current || stato.diagnostics.some((d) => d.severity === 'error');
            dettagli.appendChild(testo('summary', stato.summary));
            dettagli.appendChild(testo('pre', stato.diagnostics.map((d) => d.text).join('')));
            barra.appendChild(dettagli);
        }
    }

    // The new page's content in place of the old, the bar and this script kept.
    async function sostituisci() {
        const risposta = await fetch('/', { cache: 'no-store' });
        if (!risposta.ok) throw new Error(`GET / answered ${risposta.status}`);
        const nuova = new DOMParser().parseFromString(await risposta.text(), 'text/html');
        const script = nuova.getElementById('vista-servizio');
        const sua = script ? Number(script.dataset.costruzione) : 0;
        if (script) script.remove();
        const x = window.scrollX;
        const y = window.scrollY;
        for (const n of Array.from(document.body.childNodes)) {
            if (n !== barra && n !== proprio) n.remove();
        }
        for (const n of Array.from(nuova.body.childNodes)) {
            document.body.insertBefore(document.adoptNode(n), proprio);
        }
        // The new page's style in place of the old one's (the page shown before
        // the first picture has a style of its own).
        for (const s of Array.from(document.head.querySelectorAll('style'))) {
            if (s !== stile) s.remove();
        }
        for (const s of Array.from(nuova.head.querySelectorAll('style'))) {
            document.head.insertBefore(document.adoptNode(s), stile);
        }
        // A script moved in from a parsed page does not run: when the page
        // had no zoom yet (it showed no picture), the picture's zoom script is
        // put in anew, which runs it once.
        if (!window.vista_zoom) {
            for (const vecchio of Array.from(document.body.querySelectorAll('script'))) {
                if (vecchio === proprio) continue;
                const nuovo = document.createElement('script');
                nuovo.textContent = vecchio.textContent;
                vecchio.replaceWith(nuovo);
            }
        }
        document.title = nuova.title;
        costruzione = sua;
        window.scrollTo(x, y);
        document.dispatchEvent(new CustomEvent('vista:aggiornata'));
    }

    async function accogli(stato) {
        if (stato.picture > 0 && stato.picture !== costruzione) await sostituisci();
        ultimo = stato;
        mostra(stato);
    }

    const fonte = new EventSource('/events');
    fonte.addEventListener('vista', (e) => {
        const stato = JSON.parse(e.data);
        coda = coda.then(() => accogli(stato)).catch((errore) => {
            barra.className = 'scollegata';
            barra.replaceChildren(testo('div', `The page could not be updated: ${errore.message}`));
        });
    });
    fonte.addEventListener('error', () => {
        if (fonte.readyState === EventSource.OPEN) return;
        // The server may come back as a new one, whose builds count from 1
        // again: the first picture it tells is fetched whatever its number.
        costruzione = -1;
        barra.className = 'scollegata';
        barra.replaceChildren(testo('div', 'Not connected to scenario-tool view --serve: the page no longer '
            + 'follows the files. It connects again when the server runs.'));
    });

    // For tests: the build of the picture shown, and the last event.
    window.vista_servizio = {
        costruzione: () => costruzione,
        stato: () => ultimo,
    };
})();
