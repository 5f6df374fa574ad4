// `scenario-tool view --serve` with a page open in headless Chromium: on
// copies of the embedded scenario's sources, a new station saved into the
// train file appears in the open page within two seconds, without a reload,
// the scroll (and the zoom, where the page has it) kept; a broken save keeps
// the last picture, marked stale, with the errors at the top; saving the fix
// clears them. Without script the served page is the plain page. A server
// started again on the same port gives the open page its picture. Ctrl-C
// (SIGINT) ends the server with status 0.
//
//   node tests/pagina/servizio.mjs [SCENARIO_TOOL]    (pictures in build/pagina/)
import { spawn } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { apri_navigatore, fallito } from './navigatore.mjs';

const radice = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const strumento = process.argv[2] || process.env.SCENARIO_TOOL || path.join(radice, 'build/default/bin/scenario-tool');
const foto = path.join(radice, 'build/pagina');
mkdirSync(foto, { recursive: true });

const nome = 'Tava Aeroporto-Rovea';
const lavoro = mkdtempSync(path.join(tmpdir(), 'scenario-servizio-'));
const file_linea = path.join(lavoro, `${nome}_linea.txt`);
const file_treno = path.join(lavoro, `${nome}_30742-.txt`);
copyFileSync(path.join(radice, 'tests/dati', `${nome}_linea.txt`), file_linea);
copyFileSync(path.join(radice, 'tests/dati', `${nome}_30742-.txt`), file_treno);
const linea = readFileSync(file_linea, 'latin1');
const treno = readFileSync(file_treno, 'latin1');

// The edits, each checked against the text it changes.
const nuova_stazione = 'VALLE NUOVA';
const treno_con_stazione = treno.replace(/^stazione, {3}22000/m,
    `stazione,   19000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, ${nuova_stazione}\r\nstazione,   22000`);
// A sign in cell 1 takes the slot of a format stamp: the build ends without a scenario.
const linea_rotta = linea.replace(/^cartello_indicatore, {2}500,/m, 'cartello_indicatore,  0,');
if (treno_con_stazione === treno || linea_rotta === linea) fallito('the embedded sources no longer hold the records the edits change');

// Starts the server and waits for the line that names its address.
function avvia(porta) {
    const porta_data = porta ? ['--port', String(porta)] : [];
    const processo = spawn(strumento, ['view', '--serve', ...porta_data, file_linea, file_treno], { stdio: ['ignore', 'pipe', 'pipe'] });
    let uscita = '';
    let errori = '';
    processo.stdout.on('data', (d) => { uscita += d; });
    processo.stderr.on('data', (d) => { errori += d; });
    const fine = new Promise((risolvi) => processo.on('exit', (stato, segnale) => risolvi({ stato, segnale })));
    const indirizzo = new Promise((risolvi, rifiuta) => {
        const limite = setTimeout(() => rifiuta(new Error(`no "serving" line in 10 s: ${uscita} ${errori}`)), 10000);
        processo.stdout.on('data', () => {
            const m = uscita.match(/^serving (http:\/\/127\.0\.0\.1:\d+\/) /m);
            if (m) {
                clearTimeout(limite);
                risolvi(m[1]);
            }
        });
        fine.then(({ stato }) => rifiuta(new Error(`the server ended with status ${stato}: ${errori}`)));
    });
    return { processo, indirizzo, fine, uscita: () => uscita, errori: () => errori };
}

// Waits for `condizione` in the page; the time it took, in ms.
async function attendi(pagina, condizione, limite, che_cosa, ...argomenti) {
    const inizio = Date.now();
    try {
        await pagina.waitForFunction(condizione, { timeout: limite, polling: 10 }, ...argomenti);
    } catch {
        fallito(`${che_cosa}: not within ${limite} ms (bar: ${await pagina.evaluate(() => document.getElementById('vista-barra')?.innerText)})`);
    }
    return Date.now() - inizio;
}

const server = avvia();
let navigatore;
try {
    const indirizzo = await server.indirizzo;
    console.log(`== ${indirizzo}`);
    navigatore = await apri_navigatore();
    const pagina = await navigatore.newPage();
    await pagina.setViewport({ width: 1366, height: 900 });
    await pagina.goto(indirizzo, { waitUntil: 'load' });
    await attendi(pagina, () => window.vista_servizio?.stato()?.current === true, 5000, 'the first event');
    if (await pagina.evaluate((n) => document.body.innerText.includes(n), nuova_stazione)) fallito('the new station is there before the edit');

    // Marks that a reload would lose: a variable, the scroll, the zoom.
    const zoom = await pagina.evaluate(() => {
        window.stessa_pagina = true;
        window.aggiornamenti = 0;
        document.addEventListener('vista:aggiornata', () => { window.aggiornamenti += 1; });
        window.scrollTo(0, 600);
        if (!window.vista_zoom) return null;
        const stato = window.vista_zoom.stato();
        for (const chiave of Object.keys(stato)) {
            const s = stato[chiave];
            stato[chiave] = { x: s.x + s.larghezza / 4, y: s.y + s.altezza / 4, larghezza: s.larghezza / 2, altezza: s.altezza / 2 };
        }
        window.vista_zoom.imposta(stato);
        return window.vista_zoom.stato();
    });
    // The drawings' own transforms: the new drawings get them only when the zoom is put back on them.
    const trasformazioni = () => pagina.evaluate(() => Array.from(document.querySelectorAll('svg.pianta g, svg.profilo g'))
        .map((g) => g.style.transform).filter(Boolean));
    const prima_trasformazioni = await trasformazioni();
    if (zoom && prima_trasformazioni.length === 0) fallito('the zoom transformed no drawing');
    const scroll = await pagina.evaluate(() => window.scrollY);

    // 1. A new station, saved into the train file.
    writeFileSync(file_treno, treno_con_stazione, 'latin1');
    const ms = await attendi(pagina, (n) => document.body.innerText.includes(n), 2000, 'the new station in the open page', nuova_stazione);
    console.log(`  the new station is in the open page ${ms} ms after the save`);
    const dopo = await pagina.evaluate(() => ({
        stessa: window.stessa_pagina === true,
        aggiornamenti: window.aggiornamenti,
        scroll: window.scrollY,
        zoom: window.vista_zoom ? window.vista_zoom.stato() : null,
        barra: document.getElementById('vista-barra').innerText,
        script: document.querySelectorAll('#vista-servizio').length,
    }));
    if (!dopo.stessa) fallito('the page was reloaded');
    if (dopo.aggiornamenti !== 1) fallito(`'vista:aggiornata' came ${dopo.aggiornamenti} times, expected once`);
    if (Math.abs(dopo.scroll - scroll) > 1) fallito(`the scroll moved from ${scroll} to ${dopo.scroll}`);
    if (JSON.stringify(dopo.zoom) !== JSON.stringify(zoom)) fallito(`the zoom changed: ${JSON.stringify(zoom)} -> ${JSON.stringify(dopo.zoom)}`);
    const dopo_trasformazioni = await trasformazioni();
    if (JSON.stringify(dopo_trasformazioni) !== JSON.stringify(prima_trasformazioni)) {
        fallito(`the new drawings are not zoomed as the old: ${prima_trasformazioni} -> ${dopo_trasformazioni}`);
    }
    if (!/up to date/.test(dopo.barra)) fallito(`the bar says: ${dopo.barra}`);
    if (dopo.script !== 1) fallito(`${dopo.script} update scripts in the page`);
    console.log(`  no reload, scroll kept at ${scroll}, ${zoom ? 'zoom kept' : 'no zoom on this page'}; bar: ${dopo.barra.split('\n')[0]}`);

    // 2. A broken save: the stale picture and the errors.
    writeFileSync(file_linea, linea_rotta, 'latin1');
    await attendi(pagina, () => document.documentElement.classList.contains('vista-superata'), 2000, 'the stale mark');
    const rotta = await pagina.evaluate((n) => ({
        barra: document.getElementById('vista-barra').innerText,
        classe: document.getElementById('vista-barra').className,
        stazione: document.body.innerText.includes(n),
        errori: window.vista_servizio.stato().diagnostics.filter((d) => d.severity === 'error').length,
    }), nuova_stazione);
    if (!/made no scenario/.test(rotta.barra) || !/Stale picture/.test(rotta.barra)) fallito(`the bar says: ${rotta.barra}`);
    if (!rotta.barra.includes('1250')) fallito(`the bar does not show the error: ${rotta.barra}`);
    if (rotta.classe !== 'superata') fallito(`the bar's class is ${rotta.classe}`);
    if (!rotta.stazione || rotta.errori < 1) fallito('the last picture or the errors are missing');
    await pagina.evaluate(() => window.scrollTo(0, 0));
    await pagina.screenshot({ path: path.join(foto, 'servizio-superata.png') });
    console.log(`  stale: ${rotta.barra.split('\n')[0]}`);

    // 3. The fix, saved: the errors go.
    writeFileSync(file_linea, linea, 'latin1');
    await attendi(pagina, () => !document.documentElement.classList.contains('vista-superata')
        && /up to date/.test(document.getElementById('vista-barra').innerText), 2000, 'the fix');
    await pagina.screenshot({ path: path.join(foto, 'servizio.png') });
    console.log(`  fixed: ${await pagina.evaluate(() => document.getElementById('vista-barra').innerText.split('\n')[0])}`);

    // 4. Without script: the plain page.
    const semplice = await navigatore.newPage();
    await semplice.setJavaScriptEnabled(false);
    await semplice.goto(indirizzo, { waitUntil: 'load' });
    const senza = await semplice.evaluate((n) => ({
        barra: document.getElementById('vista-barra') !== null,
        stazione: document.body.innerText.includes(n),
        svg: document.querySelectorAll('svg').length,
    }), nuova_stazione);
    if (senza.barra || !senza.stazione || senza.svg < 2) fallito(`the page without script: ${JSON.stringify(senza)}`);
    console.log(`  without script: the plain page (${senza.svg} drawings, no bar)`);

    // 5. A server started on a broken file shows its errors; the first
    // picture, when the fix is saved, comes with the page's style and zoom.
    writeFileSync(file_linea, linea_rotta, 'latin1');
    const secondo = avvia();
    try {
        const indirizzo_secondo = await secondo.indirizzo;
        const prima = await navigatore.newPage();
        await prima.setViewport({ width: 1366, height: 900 });
        await prima.goto(indirizzo_secondo, { waitUntil: 'load' });
        if (!(await prima.evaluate(() => document.title)).startsWith('No scenario')) fallito('no "No scenario yet" page');
        writeFileSync(file_linea, linea, 'latin1');
        await attendi(prima, () => document.querySelectorAll('svg.pianta, svg.profilo').length === 2
            && /up to date/.test(document.getElementById('vista-barra').innerText), 2000, 'the first picture');
        const primo = await prima.evaluate(() => ({
            sfondo: getComputedStyle(document.body).backgroundColor,
            zoom: typeof window.vista_zoom?.stato === 'function' ? Object.keys(window.vista_zoom.stato()).sort() : null,
            script: document.querySelectorAll('script#vista-servizio').length,
        }));
        if (primo.sfondo !== 'rgb(244, 244, 241)') fallito(`the first picture has not the page's style: ${primo.sfondo}`);
        if (JSON.stringify(primo.zoom) !== JSON.stringify(['pianta', 'profilo'])) {
            fallito(`the first picture has no zoom: ${JSON.stringify(primo.zoom)}`);
        }
        if (primo.script !== 1) fallito(`${primo.script} update scripts in the first picture's page`);
        console.log('  from "No scenario yet": the first picture with its style and zoom');
    } finally {
        secondo.processo.kill('SIGINT');
        await secondo.fine;
    }

    // 6. A server stopped and started again on the same port counts its
    // builds from 1 again: the open page takes the new server's first
    // picture, though it bears the number of the picture shown.
    const terzo = avvia();
    let quarto = null;
    try {
        const indirizzo_terzo = await terzo.indirizzo;
        const riaperta = await navigatore.newPage();
        await riaperta.goto(indirizzo_terzo, { waitUntil: 'load' });
        await attendi(riaperta, () => window.vista_servizio?.stato()?.current === true, 5000, 'the first event');
        if (!(await riaperta.evaluate((n) => document.body.innerText.includes(n), nuova_stazione))) fallito('the new station is not in the page');
        terzo.processo.kill('SIGINT');
        await terzo.fine;
        writeFileSync(file_treno, treno, 'latin1');
        quarto = avvia(new URL(indirizzo_terzo).port);
        await quarto.indirizzo;
        const ms_riavvio = await attendi(riaperta, (n) => !document.body.innerText.includes(n)
            && window.vista_servizio.stato()?.current === true, 10000, "the restarted server's picture", nuova_stazione);
        const numero = await riaperta.evaluate(() => window.vista_servizio.costruzione());
        if (numero !== 1) fallito(`the restarted server's picture is build ${numero}, expected 1`);
        console.log(`  a server started again on the same port: its picture (build 1 again) in the open page after ${ms_riavvio} ms`);
    } finally {
        terzo.processo.kill('SIGINT');
        await terzo.fine;
        if (quarto) {
            quarto.processo.kill('SIGINT');
            await quarto.fine;
        }
    }
} finally {
    if (navigatore) await navigatore.close();
    server.processo.kill('SIGINT');
    const { stato } = await server.fine;
    rmSync(lavoro, { recursive: true, force: true });
    if (process.exitCode === undefined || process.exitCode === 0) {
        if (stato !== 0) fallito(`after Ctrl-C the server ended with status ${stato}: ${server.errori()}`);
        if (!/^stopped/m.test(server.uscita())) fallito(`no "stopped" line: ${server.uscita()}`);
    }
}
console.log(server.uscita().trimEnd().split('\n').map((l) => `  server: ${l}`).join('\n'));
console.log('== view --serve: the open page follows the saved files');
