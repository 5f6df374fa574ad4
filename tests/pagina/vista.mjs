// The page of `scenario-tool view` in headless Chromium: the embedded
// scenario's page made from its text sources and from its binary files
// (tests/dati/), with script and without; its hover texts found by the mouse;
// its zoom and pan driven by the buttons, the wheel, a drag, the keys and
// window.vista_zoom; its drawings swapped as a live update swaps them.
// Screenshots go to build/pagina/ for people to look at.
//
//   node tests/pagina/vista.mjs      (SCENARIO_TOOL: the scenario-tool to use,
//                                     build/default/bin/scenario-tool by default)
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { apri_navigatore, fallito } from './navigatore.mjs';

const radice = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const strumento = process.env.SCENARIO_TOOL || path.join(radice, 'build/default/bin/scenario-tool');
const foto = path.join(radice, 'build/pagina');
const nome = 'Tava Aeroporto-Rovea';
const linea = `${nome}_linea.txt`, treno = `${nome}_30742-.txt`;
const binari = [`${nome}_linea.dat`, `${nome}_30742.sim`, `${nome}_30742.dat`];

// The pages: each made by view in a fresh folder from the test data.
const pagine = [
    { nome: 'sorgenti', file: [linea, treno], argomenti: [linea, treno], pianta: true, fonte: treno },
    { nome: 'binari', file: binari, argomenti: binari, pianta: true, fonte: null },
    { nome: 'senza-pianta', file: [linea, treno], argomenti: [linea, treno, '--no-plan'], pianta: false, fonte: treno },
];

function verifica(condizione, messaggio) {
    if (!condizione) fallito(messaggio);
}

function vicino(a, b, tolleranza, messaggio) {
    verifica(Math.abs(a - b) <= tolleranza, `${messaggio}: ${a} is not ${b} (within ${tolleranza})`);
}

function fai_pagine(lavoro) {
    for (const p of pagine) {
        const cartella = path.join(lavoro, p.nome);
        mkdirSync(cartella);
        for (const f of p.file) copyFileSync(path.join(radice, 'tests/dati', f), path.join(cartella, f));
        execFileSync(strumento, ['view', ...p.argomenti, '-o', 'pagina.html'], { cwd: cartella });
        p.percorso = path.join(cartella, 'pagina.html');
        p.html = readFileSync(p.percorso, 'utf8');
    }
}

// A page opened in a new tab; every console error and uncaught exception is kept.
async function apri(navigatore, pagina, con_script) {
    const scheda = await navigatore.newPage();
    const errori = [];
    scheda.on('console', (m) => {
        if (m.type() === 'error' || m.type() === 'warn') errori.push(m.text());
    });
    scheda.on('pageerror', (e) => errori.push(String(e)));
    await scheda.setJavaScriptEnabled(con_script);
    await scheda.setViewport({ width: 1366, height: 3000 });
    await scheda.goto(`file://${pagina.percorso}`, { waitUntil: 'load' });
    return { scheda, errori };
}

// The size of each drawing on the screen, and whether the zoom's buttons are there.
async function misure(scheda) {
    return scheda.evaluate(() => {
        const r = {};
        for (const c of ['pianta', 'profilo']) {
            const s = document.querySelector(`svg.${c}`);
            if (!s) continue;
            const b = s.getBoundingClientRect();
            r[c] = {
                larghezza: b.width,
                altezza: b.height,
                segni: [...s.querySelectorAll('circle, path, polyline, rect, text')].filter((e) => !e.closest('clipPath')).length,
                comandi: document.querySelectorAll(`.zoom-comandi[data-vista="${c}"] button`).length,
            };
        }
        return r;
    });
}

// Both drawings there and sized for the page (the profile always, the plan
// where the page has one), with and without script alike.
async function prova_resa(navigatore, pagina) {
    const viste = {};
    for (const con_script of [true, false]) {
        const { scheda, errori } = await apri(navigatore, pagina, con_script);
        const m = await misure(scheda);
        const dove = `${pagina.nome} ${con_script ? 'with' : 'without'} script`;
        verifica(errori.length === 0, `${dove}: console errors: ${errori.join(' | ')}`);
        verifica(!!m.pianta === pagina.pianta, `${dove}: plan ${m.pianta ? 'drawn' : 'missing'}`);
        verifica(!!m.profilo, `${dove}: no profile`);
        for (const [c, x] of Object.entries(m)) {
            verifica(x.larghezza > 1200 && x.altezza > 200, `${dove}: ${c} is ${x.larghezza}x${x.altezza}`);
            verifica(x.segni > 50, `${dove}: ${c} holds ${x.segni} shapes`);
            verifica(x.comandi === (con_script ? 3 : 0), `${dove}: ${c} has ${x.comandi} zoom buttons`);
        }
        const zoom = await scheda.evaluate(() => typeof window.vista_zoom);
        verifica(zoom === (con_script ? 'object' : 'undefined'), `${dove}: window.vista_zoom is ${zoom}`);
        viste[con_script] = m;
        await scheda.screenshot({ path: path.join(foto, `${pagina.nome}-${con_script ? 'con' : 'senza'}-script.png`), fullPage: true });
        await scheda.close();
    }
    // The script moves nothing and resizes nothing until it is asked to.
    for (const c of Object.keys(viste.false)) {
        vicino(viste.true[c].altezza, viste.false[c].altezza, 0.5, `${pagina.nome}: height of the ${c} with and without script`);
        verifica(viste.true[c].segni === viste.false[c].segni, `${pagina.nome}: ${c}: the script changed the shapes`);
    }
}

// The middle of an element on the screen, scrolled into view, and its hover text.
async function centro(scheda, selettore, indice) {
    return scheda.evaluate(
        (s, i) => {
            const e = document.querySelectorAll(s)[i];
            e.scrollIntoView({ block: 'center' });
            const b = (e.querySelector('circle') || e).getBoundingClientRect();
            const t = e.querySelector(':scope > title');
            return { x: b.x + b.width / 2, y: b.y + b.height / 2, titolo: t ? t.textContent : '' };
        },
        selettore,
        indice,
    );
}

// The hover text of what is under the mouse: the <title> of the nearest
// element (itself or around it) that has one.
async function titolo_sotto_il_mouse(scheda) {
    return scheda.evaluate(() => {
        const sotto = document.querySelectorAll(':hover');
        for (let e = sotto[sotto.length - 1]; e; e = e.parentElement) {
            const t = e.querySelector(':scope > title');
            if (t) return t.textContent;
        }
        return '';
    });
}

// Every station and signal of both drawings: the mouse over it finds its
// hover text (the labels and their leader lines let it through); with
// script, the same once zoomed in on it.
async function prova_titoli(navigatore, pagina, con_script) {
    const { scheda } = await apri(navigatore, pagina, con_script);
    const segni = [
        ['svg.profilo g.stazione', 7],
        ['svg.profilo g.segnale', 9],
        ...(pagina.pianta ? [['svg.pianta circle.stazione', 7], ['svg.pianta circle.segnale', 9]] : []),
    ];
    for (const [selettore, quanti] of segni) {
        const n = await scheda.evaluate((s) => document.querySelectorAll(s).length, selettore);
        verifica(n === quanti, `${pagina.nome}: ${n} of ${selettore}, expected ${quanti}`);
        for (let i = 0; i < n; ++i) {
            for (const ingrandito of con_script ? [false, true] : [false]) {
                const classe = selettore.split(/[ .]/)[1];
                if (con_script) await scheda.evaluate((c) => window.vista_zoom.imposta({ [c]: { larghezza: 1e9 } }), classe);
                if (ingrandito) {
                    const p = await centro(scheda, selettore, i);
                    await scheda.mouse.move(p.x, p.y);
                    await scheda.keyboard.down('Control');
                    await scheda.mouse.wheel({ deltaY: -600 });
                    await scheda.keyboard.up('Control');
                    await fotogramma(scheda);
                }
                const p = await centro(scheda, selettore, i);
                await scheda.mouse.move(p.x, p.y);
                const trovato = await titolo_sotto_il_mouse(scheda);
                const dove = `${pagina.nome}: ${selettore} #${i}${ingrandito ? ', zoomed in' : con_script ? '' : ', without script'}`;
                verifica(p.titolo.length > 0, `${dove}: no hover text`);
                verifica(trovato === p.titolo, `${dove}: the mouse finds "${trovato}" instead of "${p.titolo}"`);
                if (pagina.fonte && selettore.includes('stazione')) {
                    verifica(p.titolo.includes(pagina.fonte), `${dove}: the hover text names no source file: ${p.titolo}`);
                }
            }
        }
    }
    await scheda.close();
}

const stato = (scheda) => scheda.evaluate(() => window.vista_zoom.stato());
// The wheel and the pointer redraw at the next frame.
const fotogramma = (scheda) => scheda.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
const trasformazione = (scheda, c) =>
    scheda.evaluate((x) => getComputedStyle(document.querySelector(`svg.${x} .zoom-x`)).transform, c);

// The labels of an axis on the screen, those shown: value and middle.
const etichette_asse = (scheda, selettore) =>
    scheda.evaluate(
        (q) =>
            [...document.querySelectorAll(q)]
                .filter((t) => t.getBoundingClientRect().width > 0 && getComputedStyle(t).visibility !== 'hidden')
                .filter((t) => t.textContent.trim() !== '' && Number.isFinite(Number(t.textContent)))
                .map((t) => ({ n: Number(t.textContent), x: t.getBoundingClientRect().x + t.getBoundingClientRect().width / 2 })),
        selettore,
    );

// Where a station's mark and name (the i-th) stand on the screen.
async function stazione_a_schermo(scheda, c, indice) {
    return scheda.evaluate(
        (x, i) => {
            const s = document.querySelector(`svg.${x}`);
            const segno = s.querySelectorAll('[data-voce]')[i];
            const b = (segno.querySelector('line') || segno).getBoundingClientRect();
            const n = s.querySelectorAll('text.nome-stazione')[i].getBoundingClientRect();
            return { x: b.x + b.width / 2, y: b.y + b.height / 2, nome: { x: n.x + n.width / 2, l: n.width, a: n.height } };
        },
        c,
        indice,
    );
}

async function prova_zoom(navigatore, pagina) {
    const { scheda, errori } = await apri(navigatore, pagina, true);
    const intero = await stato(scheda);
    verifica(
        JSON.stringify(Object.keys(intero)) === JSON.stringify(pagina.pianta ? ['pianta', 'profilo'] : ['profilo']),
        `${pagina.nome}: stato() has ${Object.keys(intero)}`,
    );
    const profilo = intero.profilo;
    verifica(profilo.y === 0 && profilo.larghezza > 1000, `${pagina.nome}: the whole profile is ${JSON.stringify(profilo)}`);
    verifica((await trasformazione(scheda, 'profilo')) === 'matrix(1, 0, 0, 1, 0, 0)', `${pagina.nome}: the profile starts zoomed`);

    // The button "+" twice: a quarter of the profile, around its middle, along the line only.
    const prima = await stazione_a_schermo(scheda, 'profilo', 4);
    const asse = (await etichette_asse(scheda, 'svg.profilo .asse-x text')).filter((e) => e.n >= 0);
    for (let i = 0; i < 2; ++i) await scheda.click('.zoom-comandi[data-vista="profilo"] [data-zoom="piu"]');
    const dopo = await stato(scheda);
    vicino(dopo.profilo.larghezza, profilo.larghezza / 4, 1e-6, `${pagina.nome}: the profile's window after + +`);
    vicino(dopo.profilo.x + dopo.profilo.larghezza / 2, profilo.x + profilo.larghezza / 2, 1e-6, `${pagina.nome}: the window's middle`);
    verifica(dopo.profilo.altezza === profilo.altezza, `${pagina.nome}: the profile zoomed in height`);
    verifica(JSON.stringify(dopo.pianta) === JSON.stringify(intero.pianta), `${pagina.nome}: the plan moved with the profile`);
    verifica((await trasformazione(scheda, 'profilo')).startsWith('matrix(4, 0, 0, 1, '), `${pagina.nome}: the profile's transform`);
    const ingrandita = await stazione_a_schermo(scheda, 'profilo', 4);
    const svg = await scheda.evaluate(() => document.querySelector('svg.profilo').getBoundingClientRect().toJSON());
    const s = svg.width / 1300;
    const atteso = svg.x + s * (profilo.x + 4 * ((prima.x - svg.x) / s - dopo.profilo.x));
    vicino(ingrandita.x, atteso, 1, `${pagina.nome}: station 4 in the zoomed profile`);
    vicino(ingrandita.y, prima.y, 0.5, `${pagina.nome}: station 4 moved up or down`);
    // The names keep their size and stay over their stations.
    vicino(ingrandita.nome.l, prima.nome.l, 0.5, `${pagina.nome}: a station's name stretched`);
    vicino(ingrandita.nome.x - ingrandita.x, prima.nome.x - prima.x, 1, `${pagina.nome}: a name left its station`);
    // Zoomed, the axis is labelled at round steps of the window, each label
    // where the page's own labels put its kilometre; these are hidden.
    const nuove = await etichette_asse(scheda, 'svg.profilo .zoom-asse text');
    verifica(nuove.length >= 4 && nuove.length <= 12, `${pagina.nome}: ${nuove.length} labels on the zoomed axis`);
    verifica((await etichette_asse(scheda, 'svg.profilo .asse-x text')).length === 0, `${pagina.nome}: the page's own axis labels stay`);
    for (const e of nuove) {
        const i = Math.max(0, asse.findIndex((a) => a.n > e.n) - 1);
        const a = asse[Math.min(i, asse.length - 2)], b = asse[Math.min(i, asse.length - 2) + 1];
        const x1 = a.x + ((e.n - a.n) * (b.x - a.x)) / (b.n - a.n);
        vicino(e.x, svg.x + s * (profilo.x + 4 * ((x1 - svg.x) / s - dopo.profilo.x)), 1, `${pagina.nome}: the label km ${e.n}`);
    }
    // What lies outside the window is not drawn; what lies inside is.
    const nascosti = () =>
        scheda.evaluate(() =>
            [...document.querySelectorAll('svg.profilo [data-cella]')].map((e) => {
                const b = e.getBoundingClientRect();
                return { nascosto: getComputedStyle(e).display === 'none', x: b.x + b.width / 2 };
            }),
        );
    const finestra = { da: svg.x + s * profilo.x, a: svg.x + s * (profilo.x + profilo.larghezza) };
    const segni = await nascosti();
    verifica(segni.some((x) => x.nascosto), `${pagina.nome}: nothing hidden outside the zoomed profile`);
    for (const x of segni.filter((y) => !y.nascosto)) {
        verifica(x.x > finestra.da - 60 && x.x < finestra.a + 60, `${pagina.nome}: a mark drawn outside the window at ${x.x}`);
    }
    await scheda.screenshot({ path: path.join(foto, `${pagina.nome}-zoom.png`), fullPage: true });

    // A drag of 300 pixels to the right shows what was left of the window.
    const v = await scheda.evaluate(() => document.querySelector('svg.profilo').getBoundingClientRect().toJSON());
    const y = v.y + v.height * 0.7;
    await scheda.mouse.move(v.x + 500, y);
    await scheda.mouse.down();
    await scheda.mouse.move(v.x + 650, y, { steps: 3 });
    await scheda.mouse.move(v.x + 800, y, { steps: 3 });
    await scheda.mouse.up();
    const trascinato = await stato(scheda);
    vicino(trascinato.profilo.x, dopo.profilo.x - 300 / s / 4, 1e-6, `${pagina.nome}: the window after a drag`);
    // The keys: "-" on the focused drawing, then "0" for the whole line.
    await scheda.evaluate(() => document.querySelector('svg.profilo').focus());
    await scheda.keyboard.press('-');
    vicino((await stato(scheda)).profilo.larghezza, profilo.larghezza / 2, 1e-6, `${pagina.nome}: the key -`);
    await scheda.keyboard.press('0');
    verifica(JSON.stringify(await stato(scheda)) === JSON.stringify(intero), `${pagina.nome}: the key 0`);

    if (pagina.pianta) {
        // Ctrl + wheel over a station of the plan: it stays under the pointer.
        const p = await stazione_a_schermo(scheda, 'pianta', 3);
        await scheda.mouse.move(p.x, p.y);
        await scheda.keyboard.down('Control');
        await scheda.mouse.wheel({ deltaY: -500 });
        await scheda.keyboard.up('Control');
        await fotogramma(scheda);
        const z = await stato(scheda);
        verifica(z.pianta.larghezza < intero.pianta.larghezza * 0.6, `${pagina.nome}: the wheel did not zoom: ${JSON.stringify(z.pianta)}`);
        vicino(z.pianta.altezza / z.pianta.larghezza, intero.pianta.altezza / intero.pianta.larghezza, 1e-9, `${pagina.nome}: the plan's axes`);
        const q = await stazione_a_schermo(scheda, 'pianta', 3);
        vicino(q.x, p.x, 1, `${pagina.nome}: the station under the pointer (x)`);
        vicino(q.y, p.y, 1, `${pagina.nome}: the station under the pointer (y)`);
        vicino(q.nome.a, p.nome.a, 0.5, `${pagina.nome}: a name in the plan grew`);
        verifica((await trasformazione(scheda, 'pianta')) !== 'matrix(1, 0, 0, 1, 0, 0)', `${pagina.nome}: the plan's transform`);
        // A wheel without Ctrl leaves the zoom alone (it scrolls the page).
        await scheda.mouse.wheel({ deltaY: 100 });
        verifica(JSON.stringify((await stato(scheda)).pianta) === JSON.stringify(z.pianta), `${pagina.nome}: a plain wheel zoomed`);
        await scheda.screenshot({ path: path.join(foto, `${pagina.nome}-zoom-pianta.png`), fullPage: true });
        await scheda.click('.zoom-comandi[data-vista="pianta"] [data-zoom="intera"]');
        verifica(JSON.stringify(await stato(scheda)) === JSON.stringify(intero), `${pagina.nome}: "Whole line" on the plan`);
    }

    // imposta() keeps a window inside the drawing and answers with the state.
    const tabella = [
        [{ x: -1e6, larghezza: 10 }, (w) => w.x === profilo.x && w.larghezza === 10],
        [{ x: 1e6, larghezza: 10 }, (w) => w.x === profilo.x + profilo.larghezza - 10],
        [{ larghezza: 1e-9 }, (w) => w.larghezza > 0 && w.larghezza < 1],
        [{ x: 'nonsense', larghezza: null }, (w) => w.larghezza === profilo.larghezza && w.x === profilo.x],
    ];
    for (const [richiesta, giusto] of tabella) {
        await scheda.evaluate(() => window.vista_zoom.imposta({ profilo: { x: 0, larghezza: 1e9 } }));
        const r = await scheda.evaluate((q) => window.vista_zoom.imposta({ profilo: q, altro: q }), richiesta);
        verifica(giusto(r.profilo), `${pagina.nome}: imposta(${JSON.stringify(richiesta)}) gave ${JSON.stringify(r.profilo)}`);
        verifica(!('altro' in r), `${pagina.nome}: imposta() made up a drawing`);
    }
    await scheda.evaluate(() => window.vista_zoom.imposta({ profilo: { larghezza: 1e9 } }));
    verifica(!(await nascosti()).some((x) => x.nascosto), `${pagina.nome}: marks hidden in the whole profile`);
    const di_nuovo = await etichette_asse(scheda, 'svg.profilo .asse-x text');
    verifica(JSON.stringify(di_nuovo.filter((e) => e.n >= 0)) === JSON.stringify(asse), `${pagina.nome}: the whole profile's axis labels`);
    const rimaste = await etichette_asse(scheda, 'svg.profilo .zoom-asse text');
    verifica(rimaste.length === 0, `${pagina.nome}: zoomed axis labels on the whole profile: ${JSON.stringify(rimaste)}`);
    verifica(errori.length === 0, `${pagina.nome}: console errors while zooming: ${errori.join(' | ')}`);
    await scheda.close();
}

// A live update swaps in new drawings (here the page's own, as written) and
// says so with 'vista:aggiornata': the new drawings get the kept windows and
// one set of buttons each, whether the update swapped the buttons out with
// the drawings, left them, or swapped the whole body (the script's element
// with it, which does not run again).
async function prova_aggiornamento(navigatore, pagina) {
    const disegni = [...pagina.html.matchAll(/<svg class="(pianta|profilo)"[\s\S]*?<\/svg>/g)].map((m) => [m[1], m[0]]);
    verifica(disegni.length === 2, `${pagina.nome}: ${disegni.length} drawings in the page`);
    const modi = {
        sezioni: 'of the drawings and their buttons',
        disegni: 'of the drawings only',
        corpo: "of the whole body, parsed from the page's text",
    };
    for (const [modo, parole] of Object.entries(modi)) {
        const { scheda, errori } = await apri(navigatore, pagina, true);
        const dove = `${pagina.nome}, an update ${parole}`;
        await scheda.evaluate(() => (window.zoom_di_prima = window.vista_zoom));
        const voluto = { profilo: { x: 400, larghezza: 100 }, pianta: { x: 300, y: 200, larghezza: 260 } };
        const prima = await scheda.evaluate((q) => window.vista_zoom.imposta(q), voluto);
        const dopo = await scheda.evaluate(
            (nuovi, html, m) => {
                if (m === 'corpo') {
                    const nuova = new DOMParser().parseFromString(html, 'text/html');
                    for (const n of Array.from(document.body.childNodes)) n.remove();
                    for (const n of Array.from(nuova.body.childNodes)) document.body.appendChild(document.adoptNode(n));
                }
                for (const [classe, testo] of m === 'corpo' ? [] : nuovi) {
                    const vecchio = document.querySelector(`svg.${classe}`);
                    const sezione = vecchio.parentElement;
                    if (m === 'sezioni') for (const c of sezione.querySelectorAll('.zoom-comandi')) c.remove();
                    vecchio.insertAdjacentHTML('afterend', testo);
                    vecchio.remove();
                }
                document.dispatchEvent(new CustomEvent('vista:aggiornata'));
                const s = document.querySelector('svg.profilo');
                return {
                    stato: window.vista_zoom.stato(),
                    zoomabili: document.querySelectorAll('svg.zoomabile').length,
                    bottoni: document.querySelectorAll('.zoom-comandi button').length,
                    trasformazione: getComputedStyle(s.querySelector('.zoom-x')).transform,
                    stessa: window.vista_zoom === window.zoom_di_prima,
                };
            },
            disegni,
            pagina.html,
            modo,
        );
        verifica(dopo.stessa, `${dove}: the script ran again`);
        verifica(JSON.stringify(dopo.stato) === JSON.stringify(prima), `${dove}: the windows ${JSON.stringify(dopo.stato)}`);
        verifica(dopo.zoomabili === 2 && dopo.bottoni === 6, `${dove}: ${dopo.zoomabili} drawings, ${dopo.bottoni} buttons`);
        verifica(dopo.trasformazione.startsWith('matrix(11.5, 0, 0, 1, '), `${dove}: the new profile's transform ${dopo.trasformazione}`);
        // The buttons work on the new drawings; a second event with nothing swapped changes nothing.
        await scheda.click('.zoom-comandi[data-vista="profilo"] [data-zoom="meno"]');
        vicino((await stato(scheda)).profilo.larghezza, 200, 1e-9, `${dove}: "\u2212" on the new profile`);
        const ora = await stato(scheda);
        await scheda.evaluate(() => document.dispatchEvent(new CustomEvent('vista:aggiornata')));
        verifica(JSON.stringify(await stato(scheda)) === JSON.stringify(ora), `${dove}: a second event moved the view`);
        verifica(errori.length === 0, `${dove}: console errors: ${errori.join(' | ')}`);
        await scheda.close();
    }
}

// A line that counts its own kilometres: km 42.5 at its start, km 60.1 from
// 3500 m (a progressive with its flag) and km 70 from 3550 m. Zoomed on the
// profile, the axis reads those kilometres on each side of a change, and
// names the reading each change begins with.
async function prova_progressive(navigatore, lavoro) {
    const cartella = path.join(lavoro, 'progressive');
    mkdirSync(cartella);
    const righe = (r) => r.join('\r\n') + '\r\n';
    writeFileSync(path.join(cartella, 'K_linea.txt'), righe(['[generale]', 'lunghezza percorso, 6000',
        'progressiva chilometrica uno, 0, 42500, 0', 'progressiva chilometrica due, 3500, 60000, 1',
        'progressiva chilometrica tre, 3550, 70000, 0', '[curve]', 'curvad3, 1000, 800', '[fine]']));
    writeFileSync(path.join(cartella, 'K_1-.txt'), righe(['[generale]', 'velocita, 0, 80', 'aderenza, 0, 100', '[fine]']));
    execFileSync(strumento, ['view', 'K_linea.txt', 'K_1-.txt', '-o', 'pagina.html'], { cwd: cartella });
    const pagina = { nome: 'progressive', percorso: path.join(cartella, 'pagina.html') };
    const { scheda, errori } = await apri(navigatore, pagina, true);
    // The metre of each label, from the post it stands at: the drawing's x of the metres.
    const letture = async (x, larghezza) => {
        await scheda.evaluate((x, larghezza) => window.vista_zoom.imposta({ profilo: { x, larghezza } }), x, larghezza);
        await new Promise((r) => setTimeout(r, 100));
        return scheda.evaluate(() => {
            const svg = document.querySelector('svg.profilo');
            const posti = [...svg.querySelectorAll('.tacca-km')].map((g) => ({
                x: +g.querySelector('line').getAttribute('x1'), metro: +g.getAttribute('data-metro') }));
            const a = posti[0], b = posti[posti.length - 1];
            const finestra = window.vista_zoom.stato().profilo;
            const cornice = svg.querySelector('.cornice');
            const x0 = +cornice.getAttribute('x'), k = +cornice.getAttribute('width') / finestra.larghezza;
            return [...svg.querySelectorAll('.zoom-asse text')].filter((t) => t.style.display !== 'none').map((t) => {
                const x = (+t.getAttribute('x') - x0) / k + finestra.x;
                return { testo: t.textContent, metro: Math.round(a.metro + ((x - a.x) * (b.metro - a.metro)) / (b.x - a.x)) };
            });
        });
    };
    const lettura = (metro) => (metro < 3500 ? 42500 + metro : metro < 3550 ? 60100 + metro - 3500 : 70000 + metro - 3550) / 1000;
    const tutte = await letture(0, 1e9);
    verifica(tutte.length === 0, `progressive: labels of a zoomed axis on the whole profile: ${JSON.stringify(tutte)}`);
    for (const [x, larghezza] of [[500, 300], [600, 200], [700, 60]]) {
        const l = await letture(x, larghezza);
        verifica(l.length >= 3, `progressive: ${l.length} labels zoomed at ${x}`);
        for (const e of l) vicino(Number(e.testo), lettura(e.metro), 0.002, `progressive: the label ${e.testo} at metre ${e.metro}`);
        verifica(l.some((e) => e.testo === '60.1'), `progressive: the change at 3500 m is named: ${JSON.stringify(l)}`);
    }
    verifica(errori.length === 0, `progressive: console errors: ${errori.join(' | ')}`);
    await scheda.close();
}

const lavoro = mkdtempSync(path.join(tmpdir(), 'scenario-pagina-'));
mkdirSync(foto, { recursive: true });
const navigatore = await apri_navigatore();
try {
    fai_pagine(lavoro);
    for (const pagina of pagine) {
        console.log(`== ${pagina.nome}: with and without script`);
        await prova_resa(navigatore, pagina);
        console.log(`== ${pagina.nome}: hover texts`);
        for (const con_script of [true, false]) await prova_titoli(navigatore, pagina, con_script);
        console.log(`== ${pagina.nome}: zoom and pan`);
        await prova_zoom(navigatore, pagina);
    }
    console.log('== an update of the drawings');
    await prova_aggiornamento(navigatore, pagine[0]);
    console.log('== kilometric progressives: the zoomed axis');
    await prova_progressive(navigatore, lavoro);
    console.log(`== the page passed (pictures in ${path.relative(radice, foto)}/)`);
} finally {
    await navigatore.close();
    rmSync(lavoro, { recursive: true, force: true });
}
