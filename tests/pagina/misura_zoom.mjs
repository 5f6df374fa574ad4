// Figures of a page of `scenario-tool view` in headless Chromium, for a long
// line: its size, its load time, and the time of each frame while it zooms
// and pans (wall time, median and worst, and the CPU time of a frame on the
// page's main thread and in raster, from the browser's trace). Not a test: it prints the figures (and writes them as JSON when
// asked) and fails only when the page does not work.
//
//   node tests/pagina/misura_zoom.mjs PAGE.html [FIGURES.json]
import { readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { apri_navigatore, fallito } from './navigatore.mjs';

const [pagina, uscita] = process.argv.slice(2);
if (!pagina) fallito('usage: node misura_zoom.mjs PAGE.html [FIGURES.json]');

const mediana = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const massimo = (v) => Math.max(...v);
const ms = (x) => Math.round(x * 10) / 10;

// The frames of a run of steps, one step a frame: each step is given to the
// page at the start of a frame, and the time to the next frame is the step's.
// Beside the wall time (which other work on the machine stretches) the
// browser's own trace gives the CPU time of the frame's phases.
const fasi = ['UpdateLayoutTree', 'Layout', 'PrePaint', 'Paint', 'Layerize', 'Commit'];
async function fotogrammi(scheda, passi) {
    const traccia = path.join(tmpdir(), `misura-zoom-${process.pid}.json`);
    await scheda.tracing.start({ path: traccia, categories: ['devtools.timeline', 'disabled-by-default-devtools.timeline'] });
    const tempi = await scheda.evaluate(async (p) => {
        const fotogramma = () => new Promise((r) => requestAnimationFrame(r));
        await fotogramma();
        const tempi = [];
        for (const stato of p) {
            const t0 = performance.now();
            window.vista_zoom.imposta(stato);
            await fotogramma();
            tempi.push(performance.now() - t0);
        }
        return tempi;
    }, passi);
    await scheda.tracing.stop();
    const cpu = { principale: 0, raster: 0 };
    for (const e of JSON.parse(readFileSync(traccia, 'utf8')).traceEvents) {
        if (e.ph !== 'X' || !e.tdur) continue;
        if (fasi.includes(e.name)) cpu.principale += e.tdur / 1000 / passi.length;
        if (e.name === 'RasterTask') cpu.raster += e.tdur / 1000 / passi.length;
    }
    rmSync(traccia, { force: true });
    return { tempi, cpu };
}

// Zooming in by 1.25 a step to about 150 times around a point of the drawing,
// then panning along at that zoom.
function passi_zoom(classe, intero, solo_x) {
    const passi = [];
    const centro = intero.x + intero.larghezza * 0.37;
    const cy = intero.y + intero.altezza * 0.5;
    for (let l = intero.larghezza; l > intero.larghezza / 150; l /= 1.25) {
        const a = (l * intero.altezza) / intero.larghezza;
        passi.push({ [classe]: { x: centro - l / 2, y: solo_x ? 0 : cy - a / 2, larghezza: l } });
    }
    const l = intero.larghezza / 150;
    for (let i = 0; i < 30; ++i) passi.push({ [classe]: { x: centro - l / 2 + (i * l) / 10, y: cy, larghezza: l } });
    return passi;
}

const navigatore = await apri_navigatore();
try {
    const scheda = await navigatore.newPage();
    const errori = [];
    scheda.on('pageerror', (e) => errori.push(String(e)));
    scheda.on('console', (m) => m.type() === 'error' && errori.push(m.text()));
    await scheda.setViewport({ width: 1366, height: 1000 });
    const inizio = Date.now();
    await scheda.goto(`file://${path.resolve(pagina)}`, { waitUntil: 'load' });
    const caricata = Date.now() - inizio;
    const tempi = await scheda.evaluate(() => {
        const n = performance.getEntriesByType('navigation')[0];
        const p = performance.getEntriesByName('first-contentful-paint')[0];
        return { dom: n.domContentLoadedEventEnd, load: n.loadEventEnd, pittura: p ? p.startTime : null };
    });
    const intero = await scheda.evaluate(() => window.vista_zoom && window.vista_zoom.stato());
    if (!intero) fallito(`${pagina}: the page has no zoom`);
    const cifre = {
        pagina: path.basename(pagina),
        byte: statSync(pagina).size,
        elementi: await scheda.evaluate(() => document.getElementsByTagName('*').length),
        caricamento_ms: { dom: ms(tempi.dom), load: ms(tempi.load), prima_pittura: tempi.pittura && ms(tempi.pittura), goto: caricata },
        zoom: {},
    };
    for (const classe of Object.keys(intero)) {
        const svg = await scheda.$(`svg.${classe}`);
        await svg.evaluate((s) => s.scrollIntoView({ block: 'center' }));
        const { tempi: t, cpu } = await fotogrammi(scheda, passi_zoom(classe, intero[classe], classe === 'profilo'));
        cifre.zoom[classe] = {
            passi: t.length,
            mediana_ms: ms(mediana(t)),
            massimo_ms: ms(massimo(t)),
            cpu_principale_ms: ms(cpu.principale),
            cpu_raster_ms: ms(cpu.raster),
        };
        await scheda.screenshot({ path: path.join(path.dirname(path.resolve(pagina)), `misura-${classe}.png`) });
        await scheda.evaluate((c) => window.vista_zoom.imposta({ [c]: { larghezza: 1e12 } }), classe);
    }
    if (errori.length > 0) fallito(`${pagina}: ${errori.join(' | ')}`);
    console.log(JSON.stringify(cifre, null, 1));
    if (uscita) writeFileSync(uscita, JSON.stringify(cifre, null, 1) + '\n');
} finally {
    await navigatore.close();
}
