
(() => {
  'use strict';
  const tipi = {
    pianta: { solo_x: false, massimo: 400, aiuto: 'Ctrl + wheel or pinch: zoom at the pointer \u00b7 drag: move \u00b7 keys + \u2212 0 and arrows' },
    profilo: { solo_x: true, massimo: 5000, aiuto: 'Ctrl + wheel or pinch: zoom along the line at the pointer \u00b7 drag: move along the line \u00b7 keys + \u2212 0 and arrows' },
  };
  const stile = `
/* zoom.css */
`;
  const stati = {};
  const viste = {};
  const foglio = document.createElement('style');
  foglio.textContent = stile;
  document.head.appendChild(foglio);
  const regole_di = {};

  /* The rules that scale the marks and names back, one pair per drawing:
     a change of zoom changes two rules and one group's transform, so that
     the browser restyles only what they name. */
  function regole(classe) {
    if (!regole_di[classe]) {
      const f = foglio.sheet;
      const punto = f.insertRule(`svg.${classe} .zoom-punto, svg.${classe} .zoom-etichetta { scale: 1; }`, f.cssRules.length);
      const fisso = f.insertRule(`svg.${classe} .zoom-fisso { transform: none; }`, f.cssRules.length);
      regole_di[classe] = { punto: f.cssRules[punto], fisso: f.cssRules[fisso] };
    }
    return regole_di[classe];
  }

  const limita = (x, a, b) => Math.min(Math.max(x, a), b);
  const numero = (x, altrimenti) => (typeof x === 'number' && Number.isFinite(x) ? x : altrimenti);
  const crea = (svg, nome, classe) => {
    const e = document.createElementNS(svg.namespaceURI, nome);
    if (classe) e.setAttribute('class', classe);
    return e;
  };
  const vicini = (a, b) => Math.abs(a - b) < 0.51;
  const attributo = (e, nome) => parseFloat(e.getAttribute(nome));

  const intera = (v) =>
    v.solo_x ? { x: v.x0, y: 0, larghezza: v.x1 - v.x0, altezza: v.H } : { x: 0, y: 0, larghezza: v.W, altezza: v.H };

  function nella_finestra(v, w) {
    const t = intera(v);
    if (v.solo_x) {
      const larghezza = limita(numero(w.larghezza, t.larghezza), t.larghezza / v.massimo, t.larghezza);
      return { x: limita(numero(w.x, t.x), v.x0, v.x1 - larghezza), y: 0, larghezza, altezza: v.H };
    }
    const larghezza = limita(numero(w.larghezza, v.W), v.W / v.massimo, v.W);
    const altezza = (larghezza * v.H) / v.W;
    return {
      x: limita(numero(w.x, 0), 0, v.W - larghezza),
      y: limita(numero(w.y, 0), 0, v.H - altezza),
      larghezza,
      altezza,
    };
  }

  const fattore = (v) => (v.solo_x ? (v.x1 - v.x0) : v.W) / stati[v.classe].larghezza;
  const cifre = (x) => String(+x.toFixed(6));

  function scala_in_metri(v, k) {
    if (!v.scala) return;
    const m = v.scala.metri / k;
    const t = m >= 1000 ? String(+(m / 1000).toPrecision(3)) + ' km' : String(+m.toPrecision(3)) + ' m';
    v.scala.testo.textContent = k === 1 ? v.scala.originale : t;
  }

  /* The window kept inside the drawing; drawn at once, or, for the wheel and
     the pointer, once at the next frame however many events come before. */
  let attesa = null;
  function applica(v, subito = true) {
    stati[v.classe] = nella_finestra(v, stati[v.classe] || intera(v));
    if (subito) {
      disegna(v);
      return;
    }
    v.attesa = true;
    attesa = attesa || requestAnimationFrame(() => {
      attesa = null;
      for (const x of Object.values(viste)) if (x.attesa) disegna(x);
    });
  }

  function disegna(v) {
    v.attesa = false;
    const w = stati[v.classe];
    const k = fattore(v);
    const r = regole(v.classe);
    const tx = v.solo_x ? v.x0 - k * w.x : -k * w.x;
    const ty = v.solo_x ? 0 : -k * w.y;
    const ky = v.solo_x ? 1 : k;
    v.gruppo.style.transform = `matrix(${cifre(k)},0,0,${cifre(ky)},${cifre(tx)},${cifre(ty)})`;
    r.punto.style.setProperty('scale', `${cifre(1 / k)} ${cifre(1 / ky)}`);
    r.fisso.style.setProperty('transform', `matrix(${cifre(1 / k)},0,0,${cifre(1 / ky)},${cifre(-tx / k)},${cifre(-ty / ky)})`);
    nascondi_fuori(v, w, k);
    if (v.asse) asse_ingrandito(v, w, k);
    v.svg.classList.toggle('zoomata', k > 1.0001);
    scala_in_metri(v, k > 1.0001 ? k : 1);
    if (v.etichetta) v.etichetta.textContent = '\u00d7 ' + (k < 10 ? k.toFixed(1) : Math.round(k));
  }

  /* What stands outside the window is not drawn: each piece of the drawing
     with its box (drawing units), taken once, at the first zoom. */
  function pezzi(v, gruppo) {
    const r = [];
    for (const e of gruppo.querySelectorAll('.zoom-punto, .zoom-etichetta, rect, line, polyline')) {
      if (e.classList.contains('zoom-fisso') || e.parentElement.closest('.zoom-punto')) continue;
      const b = e.getBBox();
      r.push({ e, x0: b.x, x1: b.x + b.width, y0: b.y, y1: b.y + b.height, visibile: true });
    }
    v.pezzi = r;
  }

  function nascondi_fuori(v, w, k) {
    if (!v.pezzi) {
      if (k <= 1.0001) return;
      pezzi(v, v.gruppo);
    }
    const m = w.larghezza * 0.03;
    const a = w.x - m, b = w.x + w.larghezza + m, c = w.y - m, d = w.y + w.altezza + m;
    for (const p of v.pezzi) {
      const visibile = p.x1 >= a && p.x0 <= b && (v.solo_x || (p.y1 >= c && p.y0 <= d));
      if (visibile === p.visibile) continue;
      p.visibile = visibile;
      p.e.style.display = visibile ? '' : 'none';
    }
  }

  /* The profile's axis when zoomed: labels at round steps of the window, in
     the line's own kilometres, in place of the page's labels. The page's
     posts (data-metro, data-km) give the count: one metre per metre, begun
     afresh at each post whose reading does not follow on from the post
     before (a kilometric progressive begins there); each such stretch gets
     its own round readings, and its first reading where it begins. */
  function asse_del_profilo(v, svg, gruppo, margine) {
    const asse = gruppo.querySelector('.asse-x');
    const testo = asse && asse.querySelector('.tacca-km text');
    if (!testo) return;
    const punti = [];
    for (const t of asse.querySelectorAll('.tacca-km')) {
      const l = t.querySelector('line');
      const metro = Number(t.getAttribute('data-metro')), km = Number(t.getAttribute('data-km'));
      if (l && Number.isFinite(metro) && Number.isFinite(km)) punti.push({ x: attributo(l, 'x1'), metro, km });
    }
    for (let i = 1; i < punti.length; ++i) if (!(punti[i].x > punti[i - 1].x && punti[i].metro > punti[i - 1].metro)) return;
    if (punti.length < 2) return;
    const tratti = [];
    for (const p of punti) {
      const scarto = Math.round(p.km * 1000) - p.metro;
      if (!tratti.length || tratti[tratti.length - 1].scarto !== scarto) tratti.push({ metro: p.metro, scarto });
    }
    const p0 = punti[0], scala = (punti[punti.length - 1].x - p0.x) / (punti[punti.length - 1].metro - p0.metro);
    const g = crea(svg, 'g', 'zoom-asse');
    margine.appendChild(g);
    v.asse = { p0, scala, tratti, y: attributo(testo, 'y'), g, segni: [] };
  }

  function asse_ingrandito(v, w, k) {
    const A = v.asse;
    const zoomata = k > 1.0001;
    A.g.style.display = zoomata ? '' : 'none';
    if (!zoomata) return;
    const metro_di = (x) => A.p0.metro + (x - A.p0.x) / A.scala;
    const x_di = (metro) => v.x0 + k * (A.p0.x + (metro - A.p0.metro) * A.scala - w.x);
    const da = metro_di(w.x), a = metro_di(w.x + w.larghezza);
    const grezzo = (a - da) / 1000 / 8;
    const p = Math.pow(10, Math.floor(Math.log10(grezzo)));
    const passo = [1, 2, 5, 10].map((f) => f * p).find((x) => x >= grezzo * 0.999);
    const decimali = Math.max(0, -Math.floor(Math.log10(passo) + 1e-9));
    let i = 0;
    let ultimo = -Infinity; /* x of the last label: the next stands 40 units clear of it */
    const segno = (metro, testo) => {
      const x = x_di(metro);
      if (x - ultimo < 40) return;
      ultimo = x;
      if (!A.segni[i]) {
        const t = crea(v.svg, 'text');
        t.setAttribute('text-anchor', 'middle');
        t.setAttribute('y', A.y);
        const l = crea(v.svg, 'line');
        l.setAttribute('y1', A.y - 18);
        l.setAttribute('y2', A.y - 13);
        A.g.append(l, t);
        A.segni[i] = { t, l };
      }
      const s = A.segni[i++];
      s.t.setAttribute('x', cifre(x));
      s.t.textContent = testo;
      s.l.setAttribute('x1', cifre(x));
      s.l.setAttribute('x2', cifre(x));
      s.t.style.display = s.l.style.display = '';
    };
    const limite = a + passo * 1e-6;
    for (let j = 0; j < A.tratti.length && i < 40; ++j) {
      const t = A.tratti[j];
      const prossimo = j + 1 < A.tratti.length ? A.tratti[j + 1].metro : Infinity;
      if (t.metro > limite || prossimo <= da) continue;
      if (j > 0 && t.metro >= da) segno(t.metro, String(+((t.metro + t.scarto) / 1000).toFixed(3)));
      const muro = prossimo <= limite ? x_di(prossimo) - 40 : Infinity; /* clear of the next stretch's first reading */
      for (let n = Math.ceil((Math.max(t.metro, da) + t.scarto) / 1000 / passo) * passo; i < 40; n += passo) {
        const metro = n * 1000 - t.scarto;
        if (metro > limite || metro >= prossimo || x_di(metro) > muro) break;
        segno(metro, n.toFixed(decimali));
      }
    }
    for (; i < A.segni.length; ++i) A.segni[i].t.style.display = A.segni[i].l.style.display = 'none';
  }

  function profilo_in_gruppi(v, svg, gruppo) {
    const cornici = gruppo.querySelectorAll('.cornice');
    let fondo = v.H;
    if (cornici.length > 0) {
      v.x0 = attributo(cornici[0], 'x');
      v.x1 = v.x0 + attributo(cornici[0], 'width');
      fondo = 0;
      for (const c of cornici) fondo = Math.max(fondo, attributo(c, 'y') + attributo(c, 'height'));
    }
    const margine = crea(svg, 'g', 'zoom-margine');
    for (const t of Array.from(gruppo.querySelectorAll('text'))) {
      const x = attributo(t, 'x');
      const ancora = t.getAttribute('text-anchor') || 'start';
      if (t.closest('.etichette')) continue;
      if ((ancora === 'end' && x < v.x0 + 0.5) || (ancora === 'start' && vicini(x, v.x0))) margine.appendChild(t);
    }
    let nomi = v.H;
    for (const t of margine.querySelectorAll('.nome-corsia')) nomi = Math.min(nomi, attributo(t, 'y') - 14);
    if (nomi === v.H) nomi = 0;
    const id = 'zoom-ritaglio-' + v.classe;
    const ritaglio = crea(svg, 'clipPath');
    ritaglio.setAttribute('id', id);
    for (const [x, y, l, a] of [
      [0, 0, v.W, nomi],
      [v.x0, nomi, v.x1 - v.x0, fondo - nomi],
      [v.x0 - 24, fondo, v.x1 - v.x0 + 48, v.H - fondo],
    ]) {
      const r = crea(svg, 'rect');
      r.setAttribute('x', x);
      r.setAttribute('y', y);
      r.setAttribute('width', l);
      r.setAttribute('height', Math.max(a, 0));
      ritaglio.appendChild(r);
    }
    const defs = crea(svg, 'defs');
    defs.appendChild(ritaglio);
    const involucro = crea(svg, 'g', 'zoom-ritaglio');
    involucro.setAttribute('clip-path', 'url(#' + id + ')');
    svg.appendChild(defs);
    svg.appendChild(involucro);
    involucro.appendChild(gruppo);
    svg.appendChild(margine);
    asse_del_profilo(v, svg, gruppo, margine);
    for (const g of gruppo.querySelectorAll('.etichette')) {
      const guide = g.querySelectorAll('line.guida');
      const nomi_stazioni = g.querySelectorAll('text');
      if (guide.length !== nomi_stazioni.length) continue;
      nomi_stazioni.forEach((t, i) => ancora_a(t, attributo(guide[i], 'x1'), 0));
    }
    for (const e of gruppo.querySelectorAll('*')) {
      if (e.parentElement.closest('.zoom-punto') || e.classList.contains('zoom-etichetta')) continue;
      const nome = e.localName;
      if (nome === 'text' || e.hasAttribute('data-cella') || nome === 'circle') {
        e.classList.add('zoom-punto');
      } else if (nome === 'rect' && vicini(attributo(e, 'x'), v.x0) && vicini(attributo(e, 'width'), v.x1 - v.x0)) {
        e.classList.add('zoom-fisso');
      } else if (nome === 'line' && vicini(attributo(e, 'x1'), v.x0) && vicini(attributo(e, 'x2'), v.x1)) {
        e.classList.add('zoom-fisso');
      }
    }
  }

  /* A label keeps its place beside its point: it is scaled back around the point. */
  function ancora_a(e, x, y) {
    e.classList.add('zoom-etichetta');
    e.style.transformOrigin = `${cifre(x)}px ${cifre(y)}px`;
  }

  /* The point of each label of the plan: where its leader line starts, or
     else the nearest mark. */
  function etichette_pianta(gruppo) {
    const punti = [];
    for (const c of gruppo.querySelectorAll('circle')) punti.push([attributo(c, 'cx'), attributo(c, 'cy')]);
    for (const r of gruppo.querySelectorAll('rect.fine')) {
      punti.push([attributo(r, 'x') + attributo(r, 'width') / 2, attributo(r, 'y') + attributo(r, 'height') / 2]);
    }
    for (const l of gruppo.querySelectorAll('line.cippo')) {
      punti.push([(attributo(l, 'x1') + attributo(l, 'x2')) / 2, (attributo(l, 'y1') + attributo(l, 'y2')) / 2]);
    }
    for (const g of gruppo.querySelectorAll('.etichette')) {
      const guide = Array.from(g.querySelectorAll('line.guida'));
      for (const r of g.querySelectorAll('rect.fondo-etichetta')) {
        const x = attributo(r, 'x'), y = attributo(r, 'y'), l = attributo(r, 'width'), a = attributo(r, 'height');
        const distanza = (px, py) => Math.hypot(Math.max(x - px, 0, px - x - l), Math.max(y - py, 0, py - y - a));
        const guida = guide.find((d) => distanza(attributo(d, 'x2'), attributo(d, 'y2')) < 1.5);
        let punto = guida ? [attributo(guida, 'x1'), attributo(guida, 'y1')] : null;
        for (const p of guida ? [] : punti) {
          if (!punto || distanza(p[0], p[1]) < distanza(punto[0], punto[1])) punto = p;
        }
        if (!punto) continue;
        for (const e of [r, r.nextElementSibling, guida]) if (e) ancora_a(e, punto[0], punto[1]);
      }
    }
  }

  function pianta_in_gruppi(v, svg, gruppo) {
    svg.appendChild(gruppo);
    const scala = gruppo.querySelector('.scala');
    if (scala) {
      svg.appendChild(scala);
      const testi = scala.querySelectorAll('text');
      const t = testi.length > 1 ? testi[1] : null;
      const m = t ? /^(\d+) (k?m)$/.exec(t.textContent) : null;
      if (m) v.scala = { testo: t, originale: t.textContent, metri: Number(m[1]) * (m[2] === 'km' ? 1000 : 1) };
    }
    etichette_pianta(gruppo);
    for (const e of gruppo.querySelectorAll('*')) {
      if (e.parentElement.closest('.zoom-punto') || e.classList.contains('zoom-etichetta')) continue;
      const nome = e.localName;
      if (['text', 'circle', 'rect', 'ellipse'].includes(nome) || (nome === 'line' && !e.classList.contains('guida'))) {
        e.classList.add('zoom-punto');
      }
    }
  }

  function comandi(v) {
    const prima = v.svg.previousElementSibling;
    if (prima && prima.classList.contains('zoom-comandi')) prima.remove();
    const d = document.createElement('div');
    d.className = 'zoom-comandi';
    d.setAttribute('data-vista', v.classe);
    const bottoni = [
      ['piu', '+', 'Zoom in (+)'],
      ['meno', '\u2212', 'Zoom out (\u2212)'],
      ['intera', 'Whole line', 'Show the whole line (0)'],
    ];
    for (const [azione, testo, titolo] of bottoni) {
      const b = document.createElement('button');
      b.type = 'button';
      b.setAttribute('data-zoom', azione);
      b.title = titolo;
      b.textContent = testo;
      d.appendChild(b);
    }
    v.etichetta = document.createElement('span');
    v.etichetta.className = 'zoom-fattore';
    d.appendChild(v.etichetta);
    const aiuto = document.createElement('span');
    aiuto.textContent = tipi[v.classe].aiuto;
    d.appendChild(aiuto);
    v.svg.parentNode.insertBefore(d, v.svg);
  }

  function prepara(classe) {
    const svg = document.querySelector('svg.' + classe);
    if (!svg) {
      delete viste[classe];
      return;
    }
    if (viste[classe] && viste[classe].svg === svg) return;
    const vb = svg.viewBox.baseVal;
    if (!vb || !(vb.width > 0) || !(vb.height > 0)) return;
    const v = { svg, classe, solo_x: tipi[classe].solo_x, massimo: tipi[classe].massimo, W: vb.width, H: vb.height };
    v.x0 = 0;
    v.x1 = v.W;
    const gruppo = (v.gruppo = crea(svg, 'g', 'zoom-x'));
    for (const n of Array.from(svg.childNodes)) {
      if (n.nodeType === 1 && n.classList.contains('sfondo')) continue;
      gruppo.appendChild(n);
    }
    if (v.solo_x) profilo_in_gruppi(v, svg, gruppo);
    else pianta_in_gruppi(v, svg, gruppo);
    svg.classList.add('zoomabile');
    svg.setAttribute('tabindex', '0');
    viste[classe] = v;
    comandi(v);
    applica(v);
  }

  function prepara_tutte() {
    for (const classe of Object.keys(tipi)) prepara(classe);
  }

  function vista_di(e) {
    const svg = e && e.closest ? e.closest('svg.zoomabile') : null;
    for (const v of Object.values(viste)) if (v.svg === svg) return v;
    return null;
  }

  /* A point of the screen in the drawing's units (before the zoom). */
  function nel_disegno(v, cx, cy) {
    const r = v.svg.getBoundingClientRect();
    const s = r.width > 0 ? r.width / v.W : 1;
    return { x: (cx - r.left) / s, y: (cy - r.top) / s, s };
  }

  /* Zoom by f with the point p (drawing units, before the zoom) kept in place. */
  function ingrandisci(v, f, p, subito = true) {
    const w = stati[v.classe];
    const k = fattore(v);
    const o = v.solo_x ? v.x0 : 0;
    const px = v.solo_x ? limita(p.x, v.x0, v.x1) : p.x;
    const cx = w.x + (px - o) / k, cy = w.y + p.y / k;
    const larghezza = w.larghezza / f;
    const k2 = (v.solo_x ? v.x1 - v.x0 : v.W) / larghezza;
    stati[v.classe] = { x: cx - (px - o) / k2, y: v.solo_x ? 0 : cy - p.y / k2, larghezza, altezza: (larghezza * v.H) / v.W };
    applica(v, subito);
  }

  function al_centro(v) {
    return v.solo_x ? { x: (v.x0 + v.x1) / 2, y: 0 } : { x: v.W / 2, y: v.H / 2 };
  }

  /* Move the view by dx, dy drawing units (before the zoom). */
  function sposta(v, dx, dy, subito = true) {
    const w = stati[v.classe];
    const k = fattore(v);
    stati[v.classe] = { x: w.x - dx / k, y: v.solo_x ? 0 : w.y - dy / k, larghezza: w.larghezza, altezza: w.altezza };
    applica(v, subito);
  }

  function azione(v, nome) {
    if (nome === 'piu') ingrandisci(v, 2, al_centro(v));
    else if (nome === 'meno') ingrandisci(v, 0.5, al_centro(v));
    else if (nome === 'intera') {
      stati[v.classe] = intera(v);
      applica(v);
    }
  }

  document.addEventListener('click', (e) => {
    const b = e.target.closest ? e.target.closest('.zoom-comandi [data-zoom]') : null;
    if (!b) return;
    const classe = b.parentElement.getAttribute('data-vista');
    if (viste[classe]) azione(viste[classe], b.getAttribute('data-zoom'));
  });

  document.addEventListener(
    'wheel',
    (e) => {
      const v = vista_di(e.target);
      if (!v) return;
      const unita = e.deltaMode === 1 ? 16 : e.deltaMode === 2 ? 400 : 1;
      if (e.ctrlKey || e.metaKey) {
        e.preventDefault();
        ingrandisci(v, Math.exp(-limita(e.deltaY * unita, -300, 300) * 0.002), nel_disegno(v, e.clientX, e.clientY), false);
        return;
      }
      const laterale = e.shiftKey && e.deltaX === 0 ? e.deltaY : e.deltaX;
      if (fattore(v) > 1.0001 && Math.abs(laterale) > Math.abs(e.shiftKey ? 0 : e.deltaY)) {
        e.preventDefault();
        const p = nel_disegno(v, 0, 0);
        sposta(v, (-laterale * unita) / p.s, 0, false);
      }
    },
    { passive: false },
  );

  const puntatori = new Map();
  let presa = null;

  document.addEventListener('pointerdown', (e) => {
    const v = vista_di(e.target);
    if (!v || (e.pointerType === 'mouse' && e.button !== 0)) return;
    if (presa && presa.v !== v) return;
    presa = { v };
    puntatori.set(e.pointerId, { x: e.clientX, y: e.clientY });
    try {
      v.svg.setPointerCapture(e.pointerId);
    } catch (_) {}
  });

  document.addEventListener('pointermove', (e) => {
    if (!presa || !puntatori.has(e.pointerId)) return;
    const v = presa.v;
    const prima = puntatori.get(e.pointerId);
    const s = nel_disegno(v, 0, 0).s;
    if (puntatori.size === 1) {
      if (e.clientX !== prima.x || e.clientY !== prima.y) {
        v.svg.classList.add('trascina');
        sposta(v, (e.clientX - prima.x) / s, (e.clientY - prima.y) / s, false);
      }
    } else if (puntatori.size === 2) {
      const altro = [...puntatori].find(([id]) => id !== e.pointerId)[1];
      const d0 = Math.hypot(prima.x - altro.x, prima.y - altro.y);
      const d1 = Math.hypot(e.clientX - altro.x, e.clientY - altro.y);
      if (d0 > 0 && d1 > 0) {
        ingrandisci(v, d1 / d0, nel_disegno(v, (e.clientX + altro.x) / 2, (e.clientY + altro.y) / 2), false);
      }
    }
    puntatori.set(e.pointerId, { x: e.clientX, y: e.clientY });
  });

  const lascia = (e) => {
    if (!puntatori.delete(e.pointerId) || puntatori.size > 0) return;
    if (presa) presa.v.svg.classList.remove('trascina');
    presa = null;
  };
  document.addEventListener('pointerup', lascia);
  document.addEventListener('pointercancel', lascia);

  document.addEventListener('dblclick', (e) => {
    const v = vista_di(e.target);
    if (!v) return;
    e.preventDefault();
    ingrandisci(v, e.shiftKey ? 0.5 : 2, nel_disegno(v, e.clientX, e.clientY));
  });

  document.addEventListener('keydown', (e) => {
    const v = vista_di(e.target);
    if (!v || e.ctrlKey || e.metaKey || e.altKey) return;
    const passo = v.W / 10;
    const tasti = {
      '+': () => azione(v, 'piu'),
      '=': () => azione(v, 'piu'),
      '-': () => azione(v, 'meno'),
      '_': () => azione(v, 'meno'),
      '0': () => azione(v, 'intera'),
      ArrowLeft: () => sposta(v, passo, 0),
      ArrowRight: () => sposta(v, -passo, 0),
      ArrowUp: v.solo_x ? null : () => sposta(v, 0, passo),
      ArrowDown: v.solo_x ? null : () => sposta(v, 0, -passo),
    };
    const f = tasti[e.key];
    if (!f) return;
    e.preventDefault();
    f();
  });

  document.addEventListener('vista:aggiornata', prepara_tutte);

  window.vista_zoom = {
    stato() {
      const s = {};
      for (const classe of Object.keys(viste)) s[classe] = { ...stati[classe] };
      return s;
    },
    imposta(stato) {
      for (const classe of Object.keys(stato || {})) {
        const v = viste[classe];
        if (!v || !stato[classe]) continue;
        const w = { ...stati[classe] };
        for (const chiave of ['x', 'y', 'larghezza', 'altezza']) w[chiave] = numero(stato[classe][chiave], w[chiave]);
        stati[classe] = nella_finestra(v, w);
        applica(v);
      }
      return this.stato();
    },
  };

  prepara_tutte();
})();
