-- scenario-tool lsp in a real editor: Neovim's own LSP client, headless,
-- set up by the Neovim snippet of docs/editor.md exactly as the page prints
-- it (read out of the page, run as it is, scenario-tool found on the PATH).
--
-- The embedded scenario is written into a fresh folder (scenario-tool
-- example), opened, given a mistake in each file in the buffers (unsaved),
-- and then: the diagnostics at their lines and columns with their codes, a
-- hover, a completion, the outline, a quick fix applied, the other mistakes
-- mended by hand, and their diagnostics cleared. In a second folder, with a
-- mistake on disk that one file makes in the other: one server for the
-- folder's two files, its own for the folder, and an edit in one buffer
-- clearing the diagnostic shown in the other. Last, what is saved: a letter
-- outside ASCII typed into a file of the pair, and into a new one, is
-- written as its Windows-1252 byte; other files keep the user's encodings.
--
--   SCENARIO_TOOL=build/default/bin/scenario-tool nvim --headless --clean -c "luafile tests/editor/neovim.lua"
--
-- Ends Neovim with status 0 when every check holds, 1 otherwise.

local strumento = os.getenv('SCENARIO_TOOL')
local falliti = 0

local function verifica(condizione, che_cosa)
  if condizione then
    io.stdout:write('ok: ' .. che_cosa .. '\n')
  else
    io.stderr:write('FAILED: ' .. che_cosa .. '\n')
    falliti = falliti + 1
  end
end

local function fine()
  io.stdout:write(falliti == 0 and 'all checks hold\n' or (falliti .. ' checks failed\n'))
  vim.cmd(falliti == 0 and 'qa!' or 'cquit 1')
end

if strumento == nil or strumento == '' then
  verifica(false, 'SCENARIO_TOOL names the tool')
  fine()
end
strumento = vim.fn.fnamemodify(strumento, ':p')

-- The Lua block of the page's "## Neovim" section, line by line as printed.
local function blocco_neovim(percorso)
  local righe, sezione, dentro = {}, false, false
  for riga in io.lines(percorso) do
    if dentro then
      if riga == '```' then return table.concat(righe, '\n') .. '\n' end
      righe[#righe + 1] = riga
    elseif riga:match('^## ') then
      sezione = riga == '## Neovim'
    elseif sezione and riga == '```lua' then
      dentro = true
    end
  end
  return nil
end

local radice = vim.fn.fnamemodify(debug.getinfo(1, 'S').source:sub(2), ':p:h:h:h')
local impostazione = blocco_neovim(radice .. '/docs/editor.md')
verifica(impostazione ~= nil, 'docs/editor.md prints a Lua block under "## Neovim"')
if impostazione == nil then fine() end

-- The user's settings before the snippet: hidden buffers and the encodings
-- Neovim users usually have. The page asks for scenario-tool on the PATH.
vim.o.hidden = true
vim.o.fileencodings = 'ucs-bom,utf-8,cp1252'
vim.env.PATH = vim.fn.fnamemodify(strumento, ':h') .. ':' .. vim.env.PATH
local eseguibile, errore = load(impostazione, '=docs/editor.md (Neovim)')
verifica(eseguibile ~= nil, 'the snippet is valid Lua' .. (errore and (': ' .. errore) or ''))
if eseguibile == nil then fine() end
local eseguito, errore_esecuzione = pcall(eseguibile)
verifica(eseguito, 'the snippet runs' .. (errore_esecuzione and (': ' .. tostring(errore_esecuzione)) or ''))

local function nuova_cartella()
  local c = vim.fn.tempname()
  vim.fn.mkdir(c, 'p')
  vim.fn.system({strumento, 'example', '--out', c})
  verifica(vim.v.shell_error == 0, 'scenario-tool example writes the embedded scenario')
  return c
end

local function leggi(percorso)
  local f = io.open(percorso, 'rb')
  if f == nil then return nil end
  local contenuto = f:read('*a')
  f:close()
  return contenuto
end

local function scrivi(percorso, contenuto)
  local f = assert(io.open(percorso, 'wb'))
  f:write(contenuto)
  f:close()
end

-- The ids of the clients attached to buffer b.
local function clienti_di(b)
  local ids = {}
  for id, _ in pairs(vim.lsp.buf_get_clients(b)) do ids[#ids + 1] = id end
  table.sort(ids)
  return ids
end

local cartella = nuova_cartella()
local cliente

local function apri(c, nome)
  vim.cmd('edit ' .. vim.fn.fnameescape(c .. '/' .. nome))
  return vim.api.nvim_get_current_buf()
end

-- The line (from 0) of the first line of the buffer that starts with `inizio`.
local function riga_con(b, inizio)
  for i, testo in ipairs(vim.api.nvim_buf_get_lines(b, 0, -1, false)) do
    if testo:sub(1, #inizio) == inizio then return i - 1 end
  end
  return -1
end

local function sostituisci_riga(b, inizio, nuova)
  local r = riga_con(b, inizio)
  vim.api.nvim_buf_set_lines(b, r, r + 1, false, {nuova})
  return r
end

local function codice(d)
  if d.code ~= nil then return d.code end
  return d.user_data and d.user_data.lsp and d.user_data.lsp.code
end

local function cerca(b, c)
  for _, d in ipairs(vim.diagnostic.get(b)) do
    if tostring(codice(d)) == tostring(c) then return d end
  end
  return nil
end

local function attendi(condizione)
  return vim.wait(20000, condizione, 50)
end

local function chiedi(b, metodo, parametri)
  local r = vim.lsp.buf_request_sync(b, metodo, parametri, 10000)
  return r and r[cliente] and r[cliente].result
end

local linea = apri(cartella, 'Tava Aeroporto-Rovea_linea.txt')
local treno = apri(cartella, 'Tava Aeroporto-Rovea_30742-.txt')
verifica(vim.bo[linea].fileencoding == 'cp1252' and vim.bo[treno].fileencoding == 'cp1252',
  'the two files, ASCII only, open as Windows-1252')
-- A client is listed for its buffers once the server has answered initialize.
attendi(function() return #clienti_di(linea) > 0 and #clienti_di(treno) > 0 end)
local clienti = clienti_di(linea)
cliente = clienti[1]
verifica(#clienti == 1 and vim.deep_equal(clienti_di(treno), clienti),
  'one server for the two files of the folder')
verifica(cliente ~= nil and vim.lsp.get_client_by_id(cliente).config.root_dir == cartella,
  'the server\'s root is the files\' folder')

-- The embedded files as they are: the line file's two gradients beyond the
-- declared length are its only diagnostics (warnings), the train file has none.
local function solo_oltre(b)
  for _, d in ipairs(vim.diagnostic.get(b)) do
    if codice(d) ~= 'beyond-length' then return false end
  end
  return #vim.diagnostic.get(b) == 2
end
verifica(attendi(function() return solo_oltre(linea) end), 'the embedded line file: two -Wbeyond-length warnings')
verifica(#vim.diagnostic.get(treno) == 0, 'the embedded train file: no diagnostic')

-- A mistake in each file, in the buffers only: a misspelled keyword in the
-- line file; a signal on the sign's cell and a character the files cannot
-- hold, after an accented letter, in the train file.
local r_pendenza = sostituisci_riga(linea, 'pendenza,  3500,', 'pendnza,  3500,   0')
local r_segnale = sostituisci_riga(treno, 'segnale,    1650,', 'segnale,    500,   2, 4, 1,  0, 0,    2,  2,1,0, 0')
local stazione = 'stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAVÀ 🚆'
local r_stazione = sostituisci_riga(treno, 'stazione,    4000,', stazione)

verifica(attendi(function() return cerca(linea, 'misspelled-keyword') ~= nil and cerca(treno, 16) ~= nil
    and cerca(treno, 'not-windows-1252') ~= nil end), 'diagnostics arrive for both files')

local d = cerca(linea, 'misspelled-keyword')
verifica(d and d.lnum == r_pendenza and d.col == 0 and d.end_col == 7 and d.severity == vim.diagnostic.severity.ERROR,
  'the misspelled keyword: an error on "pendnza", line ' .. (r_pendenza + 1))
d = cerca(treno, 16)
verifica(d and d.lnum == r_segnale and d.col == 12 and d.end_col == 15 and d.severity == vim.diagnostic.severity.ERROR,
  'the signal on a taken cell: status 16 on "500", line ' .. (r_segnale + 1))
d = cerca(treno, 'not-windows-1252')
local byte_treno = stazione:find('🚆', 1, true) - 1
verifica(d and d.lnum == r_stazione and d.col == byte_treno,
  'the character the files cannot hold: at byte ' .. byte_treno .. ' of line ' .. (r_stazione + 1) ..
  ' (UTF-16 column ' .. vim.str_utfindex(stazione, byte_treno) .. ')')

-- Hover on the signal's position: its field, its cell, and what status 16 means.
local hover = chiedi(treno, 'textDocument/hover', {
  textDocument = {uri = vim.uri_from_bufnr(treno)}, position = {line = r_segnale, character = 13}})
local testo = hover and hover.contents and hover.contents.value or ''
verifica(testo:find('position 500 m, cell 10', 1, true) ~= nil, 'hover on a value: "position 500 m, cell 10"')
verifica(testo:find('16', 1, true) ~= nil and #testo > 300, 'hover on a diagnostic: the explain text of status 16')

-- Completion at the start of an empty line of the line file's body.
local r_vuota = riga_con(linea, '[montagne]') + 1
vim.api.nvim_buf_set_lines(linea, r_vuota, r_vuota, false, {''})
local completamento = chiedi(linea, 'textDocument/completion', {
  textDocument = {uri = vim.uri_from_bufnr(linea)}, position = {line = r_vuota, character = 0}})
local etichette = {}
for _, v in ipairs((completamento and (completamento.items or completamento)) or {}) do etichette[v.label] = v end
verifica(etichette['montagna'] ~= nil and etichette['[curve]'] ~= nil and etichette['stazione'] == nil,
  'completion in the body: its keywords and the headers, not the train file\'s')
vim.api.nvim_buf_set_lines(linea, r_vuota, r_vuota + 1, false, {})

-- The outline of the train file.
local simboli = chiedi(treno, 'textDocument/documentSymbol', {textDocument = {uri = vim.uri_from_bufnr(treno)}}) or {}
local nomi = {}
for _, s in ipairs(simboli) do
  for _, c in ipairs(s.children or {}) do nomi[#nomi + 1] = s.name .. ' ' .. c.name end
end
local tutti = table.concat(nomi, '|')
verifica(#simboli == 8 and tutti:find('[stazioni] TAVA AEROPORTO', 1, true) and tutti:find('[segnali] signal at 3000 m', 1, true),
  'the outline: 8 sections, stations by name, signals by position')

-- The quick fix of the misspelled keyword, applied.
d = cerca(linea, 'misspelled-keyword')
local azioni = chiedi(linea, 'textDocument/codeAction', {
  textDocument = {uri = vim.uri_from_bufnr(linea)},
  range = {start = {line = d.lnum, character = d.col}, ['end'] = {line = d.lnum, character = d.end_col}},
  context = {diagnostics = {d.user_data.lsp}},
}) or {}
verifica(#azioni == 1 and azioni[1].kind == 'quickfix', 'one quick fix for the misspelled keyword')
if azioni[1] then vim.lsp.util.apply_workspace_edit(azioni[1].edit, 'utf-16') end
verifica(vim.api.nvim_buf_get_lines(linea, r_pendenza, r_pendenza + 1, false)[1] == 'pendenza,  3500,   0',
  'the quick fix wrote "pendenza"')

-- The other mistakes mended by hand: the diagnostics are cleared.
sostituisci_riga(treno, 'segnale,    500,', 'segnale,    1650,   2, 4, 1,  0, 0,    2,  2,1,0, 0')
sostituisci_riga(treno, 'stazione,    4000,', 'stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAVA CENTRALE')
verifica(attendi(function() return solo_oltre(linea) and #vim.diagnostic.get(treno) == 0 end),
  'after the fixes the mistakes\' diagnostics are cleared')

-- A second folder, whose train file on disk has a signal on the cell of the
-- line file's sign: status 16 on the train file, which an edit to the line
-- file's buffer alone must clear. A server of its own for the folder.
local altra = nuova_cartella()
local percorso_treno = altra .. '/Tava Aeroporto-Rovea_30742-.txt'
local originale = leggi(percorso_treno)
local con_segnale = originale:gsub('segnale,    1650,', 'segnale,    500, ', 1)
scrivi(percorso_treno, con_segnale)
local linea2 = apri(altra, 'Tava Aeroporto-Rovea_linea.txt')
local treno2 = apri(altra, 'Tava Aeroporto-Rovea_30742-.txt')
attendi(function() return #clienti_di(linea2) > 0 and #clienti_di(treno2) > 0 end)
local clienti2 = clienti_di(linea2)
verifica(#clienti2 == 1 and vim.deep_equal(clienti_di(treno2), clienti2) and clienti2[1] ~= cliente,
  'the second folder: one server of its own for its two files')
verifica(#vim.lsp.get_active_clients() == 2, 'two servers in all, one per folder')
verifica(attendi(function() return cerca(treno2, 16) ~= nil end),
  'the train file read from disk: status 16 on the signal on the sign\'s cell')
sostituisci_riga(linea2, 'cartello_indicatore,  500,', 'cartello_indicatore,  600,   ( PASSAGGIO A)(  LIVELLO   )')
verifica(attendi(function() return cerca(treno2, 16) == nil and solo_oltre(linea2) end),
  'the sign moved in the line file\'s buffer: the train file\'s status 16 is cleared')
-- The signal at 500 m stays where its farthest approach marker writes over
-- one of the first station's: that check alone is left.
local rimasti = vim.diagnostic.get(treno2)
verifica(#rimasti == 1 and rimasti[1].code == 'overwritten-mark',
  'the train file: nothing left but the signal\'s markers over the first station\'s')
sostituisci_riga(linea2, 'cartello_indicatore,  600,', 'cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )')
verifica(attendi(function() return cerca(treno2, 16) ~= nil end),
  'the sign back in the line file\'s buffer: status 16 on the train file again')

-- What is saved. A letter outside ASCII typed into the train file (ASCII
-- only on disk) is written as its one Windows-1252 byte, and nothing else of
-- the file changes (the line ends stay CR LF).
vim.api.nvim_set_current_buf(treno2)
vim.api.nvim_win_set_cursor(0, {riga_con(treno2, 'stazione,    9000,') + 1, 0})
vim.cmd('normal! $rÈ')
vim.cmd('silent write')
local salvato = leggi(percorso_treno)
verifica(salvato == con_segnale:gsub('SAN MERIDANO TERME', 'SAN MERIDANO TERM\200', 1),
  'È typed into the train file is saved as the byte C8, the rest of the file as it was')
verifica(salvato and salvato:find('\195\136', 1, true) == nil, 'no UTF-8 È (C3 88) in the saved file')

-- A new line file, and a file of another kind, which keeps the user's
-- encodings: its UTF-8 letter is read as UTF-8.
local casi = {
  {nome = 'Nuova_linea.txt', fenc = 'cp1252', byte = '\200\n'},
  {nome = 'appunti.txt', fenc = 'utf-8', byte = '\195\136\n', prima = '\195\136\n'},
}
for _, caso in ipairs(casi) do
  local percorso = altra .. '/' .. caso.nome
  if caso.prima then scrivi(percorso, caso.prima) end
  local b = apri(altra, caso.nome)
  if not caso.prima then vim.api.nvim_buf_set_lines(b, 0, -1, false, {'È'}) end
  verifica(vim.bo[b].fileencoding == caso.fenc, caso.nome .. ': fileencoding ' .. caso.fenc)
  verifica(vim.api.nvim_buf_get_lines(b, 0, 1, false)[1] == 'È', caso.nome .. ': the buffer holds È')
  vim.cmd('silent write')
  verifica(leggi(percorso) == caso.byte, caso.nome .. ': saved as ' .. caso.byte:gsub('.', function(c)
    return string.format('%02X ', c:byte()) end))
end
verifica(vim.o.fileencodings == 'ucs-bom,utf-8,cp1252', 'the user\'s fileencodings kept')

for _, c in ipairs(vim.lsp.get_active_clients()) do vim.lsp.stop_client(c.id) end
vim.wait(5000, function() return #vim.lsp.get_active_clients() == 0 end, 50)
vim.fn.delete(cartella, 'rf')
vim.fn.delete(altra, 'rf')
fine()
