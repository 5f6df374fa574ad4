// The README's picture of the page: the header, the plan and the profile
// (down to the profile's lower edge), as Chromium shows them 1366 pixels wide.
//
//   node tests/pagina/foto_docs.mjs PAGE.html PICTURE.png
import path from 'node:path';
import { apri_navigatore, fallito } from './navigatore.mjs';

const [pagina, foto] = process.argv.slice(2);
if (!pagina || !foto) fallito('usage: node foto_docs.mjs PAGE.html PICTURE.png');
const navigatore = await apri_navigatore();
try {
    const scheda = await navigatore.newPage();
    await scheda.setViewport({ width: 1366, height: 2000 });
    await scheda.goto(`file://${path.resolve(pagina)}`, { waitUntil: 'load' });
    const fondo = await scheda.evaluate(() => {
        const s = document.querySelector('svg.profilo');
        return s ? s.getBoundingClientRect().bottom + window.scrollY : 0;
    });
    if (!(fondo > 0)) fallito(`${pagina}: no profile`);
    await scheda.screenshot({ path: foto, clip: { x: 0, y: 0, width: 1366, height: Math.ceil(fondo + 12) }, captureBeyondViewport: true });
} finally {
    await navigatore.close();
}
