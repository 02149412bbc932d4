'use strict';
// The results page: shows the pass the program publishes, follows it over server-sent events
// and falls back to asking every second while the stream is away. Every text goes into the
// page as text (textContent), never as markup.
(function () {
  var state = null;
  var texts = {};
  var source = null;
  var pollTimer = null;
  var watchdog = null;
  var lastSign = Date.now();

  function $(id) { return document.getElementById(id); }
  function text(name) { return texts[name] || ''; }
  function format(template, values) {
    var i = 0;
    return template.replace(/%s/g, function () { return i < values.length ? String(values[i++]) : ''; });
  }
  function set(id, value) { $(id).textContent = value; }

  // A number typed with or without leading zeros finds the entry; other entries match as text.
  function sameEntry(typed, entry) {
    var a = typed.trim().toLowerCase();
    var b = String(entry).trim().toLowerCase();
    if (a === '') return false;
    if (/^\d+$/.test(a) && /^\d+$/.test(b)) return a.replace(/^0+(?=\d)/, '') === b.replace(/^0+(?=\d)/, '');
    return a === b;
  }

  function answer() {
    var typed = $('ask').value;
    var out = $('answer');
    var rows = $('rows').children;
    var found = null;
    if (state) {
      for (var i = 0; i < state.draws.length; i++) {
        var hit = sameEntry(typed, state.draws[i].entry);
        if (hit && !found) found = state.draws[i];
        if (rows[i]) rows[i].classList.toggle('hit', hit);
      }
    }
    if (typed.trim() === '') { out.textContent = ''; out.className = 'answer'; return; }
    if (found) {
      var what = found.prize ? found.number + ' – ' + found.prize : String(found.number);
      out.textContent = format(text('yes'), [what]);
      out.className = 'answer found';
    } else {
      out.textContent = text('no');
      out.className = 'answer';
    }
  }

  function cell(row, value, kind) {
    var td = document.createElement('td');
    td.className = kind;
    td.textContent = value;
    row.appendChild(td);
  }

  function render(data) {
    if (state && data.pass === state.pass && data.version < state.version) return;
    state = data;
    texts = data.texts || {};
    document.documentElement.lang = data.language || 'de';
    document.title = text('title') || 'Tivrel';
    set('title', text('title'));
    set('last-label', text('last'));
    set('all-label', text('all'));
    set('ask-label', text('ask'));
    set('th-draw', text('draw'));
    set('th-entry', text('entry'));
    set('th-prize', text('prize'));
    set('th-time', text('time'));
    $('th-time').className = 'time';
    set('lost', text('lost'));
    set('quota', format(text('quota'), [data.count, data.quota]));
    var newest = data.draws.length ? data.draws[0] : null;
    set('last-entry', newest ? newest.entry : '–');
    set('last-prize', newest ? newest.prize : text('none'));
    $('closed').hidden = !data.closed;
    set('closed', text('closed'));
    var body = document.createElement('tbody');
    body.id = 'rows';
    data.draws.forEach(function (draw) {
      var row = document.createElement('tr');
      cell(row, draw.number, 'number');
      cell(row, draw.entry, 'entry');
      cell(row, draw.prize, 'prize');
      cell(row, draw.time, 'time');
      body.appendChild(row);
    });
    $('rows').replaceWith(body);
    var verify = data.verify;
    $('verify').hidden = !verify;
    if (verify) {
      set('commitment-label', text('commitment'));
      set('commitment', verify.commitment);
      set('chain-label', text('chain'));
      set('chain', verify.chainHead);
      set('seed-label', text('seed'));
      set('seed', verify.seed);
    }
    answer();
  }

  function connected() {
    lastSign = Date.now();
    $('lost').hidden = true;
  }
  function lost() {
    $('lost').hidden = false;
  }

  function poll() {
    fetch('/results.json', { cache: 'no-store' })
      .then(function (response) { if (!response.ok) throw new Error(); return response.json(); })
      .then(function (data) { connected(); render(data); })
      .catch(lost);
  }
  function startPolling() { if (!pollTimer) pollTimer = setInterval(poll, 1000); }
  function stopPolling() { if (pollTimer) { clearInterval(pollTimer); pollTimer = null; } }

  function listen() {
    if (!window.EventSource) { startPolling(); return; }
    if (source) source.close();
    source = new EventSource('/events');
    var onEvent = function (event) { connected(); stopPolling(); render(JSON.parse(event.data)); };
    ['update', 'draw', 'end', 'pass'].forEach(function (kind) { source.addEventListener(kind, onEvent); });
    source.addEventListener('ping', function () { connected(); });
    source.onopen = function () { connected(); stopPolling(); };
    source.onerror = function () { lost(); startPolling(); };
  }

  // The program sends a sign of life every few seconds; without one for a while the stream
  // is taken as lost and opened anew.
  function watch() {
    if (Date.now() - lastSign > 12000) { lost(); startPolling(); listen(); lastSign = Date.now(); }
  }

  document.addEventListener('DOMContentLoaded', function () {
    $('ask').addEventListener('input', answer);
    poll();
    listen();
    watchdog = setInterval(watch, 2000);
  });
})();
