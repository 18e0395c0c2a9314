-- Neovim's own LSP client against `quill-cli serve`: completion at an
-- argument of an examples/vendor function, a call snippet, hover and a range
-- warning. Run as `nvim --headless --clean -u NeovimClient.lua`, with
-- QUILL_CLI, QUILL_VENDOR (the examples/vendor folder) and QUILL_WORK (an
-- empty folder) in the environment. Exits 0 when every check holds.
local cli = os.getenv('QUILL_CLI')
local vendor = os.getenv('QUILL_VENDOR')
local work = os.getenv('QUILL_WORK')
local failures = {}

local function check(ok, what)
  if not ok then
    table.insert(failures, what)
  end
end

local function finish()
  if #failures > 0 then
    io.stderr:write('neovim client: ' .. table.concat(failures, '\n  ') .. '\n')
    vim.cmd('cquit 1')
  end
  vim.cmd('qall!')
end

local file = work .. '/app.c'
local source = io.open(file, 'w')
source:write('#include "tns_gpio.h"\n\nvoid start(void)\n{\n    tns_gpio_set_pull(7, TNS_PIN_0, 1);\n}\n')
source:close()
vim.cmd('edit ' .. file)
local buffer = vim.api.nvim_get_current_buf()

local client_id = vim.lsp.start_client({
  name = 'quill',
  cmd = { cli, 'serve' },
  root_dir = work,
  init_options = { libraries = { vendor .. '/Inc/tns_gpio.h' } },
})
vim.lsp.buf_attach_client(buffer, client_id)
check(vim.wait(10000, function()
  local client = vim.lsp.get_client_by_id(client_id)
  return client ~= nil and client.initialized
end), 'the server did not initialize')

-- A range warning for the 7 (the documented range is 0-2).
check(vim.wait(10000, function() return #vim.diagnostic.get(buffer) > 0 end), 'no diagnostics came')
local diagnostic = vim.diagnostic.get(buffer)[1] or {}
check(diagnostic.severity == vim.diagnostic.severity.WARN, 'the diagnostic is no warning')
check(diagnostic.lnum == 4 and diagnostic.col == 22, 'the diagnostic is not on the 7')
check((diagnostic.message or ''):find('documented range 0%-2') ~= nil, 'the diagnostic names no range')

local function request(method, line, character)
  local params = {
    textDocument = { uri = vim.uri_from_bufnr(buffer) },
    position = { line = line, character = character },
  }
  local answers = vim.lsp.buf_request_sync(buffer, method, params, 10000) or {}
  local answer = answers[client_id] or {}
  return answer.result
end

-- Typed as a user would: the client sends the edit as a ranged change.
vim.api.nvim_buf_set_lines(buffer, 5, 5, true, { '    tns_gpio_init(TNS_PORT_B, );', '    tns_gpio_rea' })
local values = request('textDocument/completion', 5, 30)
local items = values and (values.items or values) or {}
check(#items >= 3, 'no values at the argument')
check(items[1] and items[1].label == 'TNS_PIN_0', 'the first item is not TNS_PIN_0')
local labels = {}
for i = 1, math.min(#items, 5) do
  labels[i] = items[i].label
end
check(table.concat(labels, ',') == 'TNS_PIN_0,TNS_PIN_1,TNS_PIN_2,TNS_PIN_3,TNS_PIN_ALL',
  'the legal values are not first in documented order: ' .. table.concat(labels, ','))

local names = request('textDocument/completion', 6, 16)
local snippet = names and names.items and names.items[1] or {}
check(snippet.label == 'tns_gpio_read', 'no function name offered')
check(snippet.insertTextFormat == 2, 'the function is not offered as a snippet')
check(snippet.textEdit and snippet.textEdit.newText:find('${1|TNS_PORT_A,TNS_PORT_B|}', 1, true) ~= nil,
  'no choice placeholder in the snippet')

local hover = request('textDocument/hover', 4, 8)
local text = hover and hover.contents and hover.contents.value or ''
check(text:find('Sets the pull resistors of input pins.', 1, true) ~= nil, 'the hover shows no documentation')

vim.lsp.stop_client(client_id)
finish()
