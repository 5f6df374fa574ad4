-- scenario-tool lsp in a real editor: Neovim's own LSP client, headless.
-- The embedded scenario is written into a fresh folder (scenario-tool
-- example), opened, given a mistake in each file in the buffers (unsaved),
-- and then: the diagnostics at their lines and columns with their codes, a
-- hover, a completion, the outline, a quick fix applied, the other mistakes
-- mended by hand, and their diagnostics cleared.
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

local cartella = vim.fn.tempname()
vim.fn.mkdir(cartella, 'p')
vim.fn.system({strumento, 'example', '--out', cartella})
verifica(vim.v.shell_error == 0, 'scenario-tool example writes the embedded scenario')

vim.o.hidden = true
vim.o.fileencodings = 'ucs-bom,utf-8,cp1252'

local cliente = vim.lsp.start_client({
  name = 'scenario-tool',
  cmd = {strumento, 'lsp'},
  root_dir = cartella,
})
verifica(cliente ~= nil, 'the server starts')

local function apri(nome)
  vim.cmd('edit ' .. vim.fn.fnameescape(cartella .. '/' .. nome))
  local b = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(b, cliente)
  return b
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

local linea = apri('Tava Aeroporto-Rovea_linea.txt')
local treno = apri('Tava Aeroporto-Rovea_30742-.txt')
verifica(vim.bo[linea].fileencoding == 'cp1252' or vim.bo[linea].fileencoding == 'utf-8', 'the files open as text')

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

vim.lsp.stop_client(cliente)
vim.wait(5000, function() return vim.lsp.get_client_by_id(cliente) == nil end, 50)
vim.fn.delete(cartella, 'rf')
fine()
