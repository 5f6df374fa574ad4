// The zoom script of the page of `view`: the text of tools/vista/zoom.js with
// the style of tools/vista/zoom.css in the line that names it, built into the
// program (cmake/incorpora_testo.cmake).
//
// The script keeps, for each drawing (keyed by the class of its <svg>:
// "pianta", "profilo"), the window of the drawing in view, in the drawing's
// own units: {x, y, larghezza, altezza}. The plan zooms on both axes, the
// profile along the line only; the marks keep their size (scaled back around
// their own centre), the names too (scaled back around the point they name),
// the lines keep their width, and what lies outside the window is not drawn;
// the zoomed profile's axis gets labels at round steps of the window, in the
// line's own kilometres (read off the posts' data-metro and data-km). Listeners
// sit on the document, so drawings swapped in later work too; after a swap the
// event 'vista:aggiornata' makes the script take the new drawings and give
// them the windows it kept. window.vista_zoom.stato() and .imposta(stato) read
// and set the windows.
//
// The text must hold no double slash (the page's tests look for addresses).
#pragma once

extern const char* const testo_zoom;
