// The line section below the pressure-drop section: a whole gas line of segments in series,
// computed by the core as the user types. The line's parameters, a table of segments (added,
// removed and moved by row), each segment's pipe, bore, velocity, drop and outlet, the totals
// and the check; a CSV of segments read from a file, and the line command's --csv written as a
// download. Columns, units and labels come from the core's tables (TARNIVEL_TABLES.line).
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

(function () {
  // The section's own words, with their English where the window's catalogues have none.
  const ENGLISH = {
    '管线': 'Line', '管段表': 'Segments', '添加管段': 'Add segment', '删除': 'Remove',
    '上移': 'Move up', '下移': 'Move down', '读取 CSV': 'Read CSV', '保存 CSV': 'Save CSV',
    '逐段计算整条管线，可读写 CSV':
    'A whole line computed segment by segment; CSV read and written', '第 %1 段': 'segment %1',
    '规格': 'pipe', '压强': 'Inlet pressure', '流速': 'velocity', '压降': 'drop',
    '出口压力': 'outlet', '管材': 'Series', '无': 'none',
  };
  // The segment columns the table shows; roughness is kept and written, not shown.
  const SHOWN = ['segment', 'length', 'flow', 'bore', 'series', 'pipe', 'rise', 'local'];

  let page = null, english = false, rows = [[]], answer = null;
  let line = null, inlet = null, series = null, fields = [], body = null, head = null;
  let check = null, save = null;

  function say(chinese) {
    const translated = page.tr(chinese);
    return english && translated === chinese && ENGLISH[chinese] ? ENGLISH[chinese] : translated;
  }
  // A core column's or quantity's label: the window's Chinese word, or in English the core's
  // short name for it ("appliance_pressure": Appliance pressure); its words are its tooltip.
  function label(info) {
    return english ? capital(info.name.replace(/_/g, ' ')) : info.label;
  }
  function capital(text) { return text.charAt(0).toUpperCase() + text.slice(1); }
  function withUnit(text, unit) {
    if (!unit) return text;
    return english ? text + ' (' + unit + ')' : text + '（' + unit + '）';
  }
  function element(tag, properties) {
    return Object.assign(document.createElement(tag), properties || {});
  }

  function compute() {
    if (line.hidden) return;
    // A table not yet typed in has nothing to say.
    if (rows.every((row) => row.every((text) => !text || !text.trim()))) {
      answer = {check: ''};
      show();
      check.className = '';
      return;
    }
    answer = page.callWithTexts('_tarnivel_line', lineTexts());
    show();
  }

  // What the core computes the line from: the inlet, the series, the fields and the segments.
  function lineTexts() {
    const texts = rows.map((row) => line.columns.map((column, i) =>
      (row[i] || '').replace(/[\x1e\x1f]/g, ' ')).join('\x1f')).join('\x1e');
    return [inlet.value, series.value, ...fields.map((box) => box.value), texts];
  }
  // The calculation sheet's texts while the section is open (web/sheet.js).
  tarnivelPage.lineTexts = () => (line && !line.hidden ? lineTexts() : null);

  function show() {
    const units = {drop: answer.dropUnit || '', outlet: answer.pressureUnit || ''};
    for (const th of head.querySelectorAll('th[data-output]')) {
      const output = th.getAttribute('data-output');
      th.textContent = withUnit(th.getAttribute('data-label'), units[output] || th.dataset.unit);
    }
    body.querySelectorAll('tr').forEach((tr, r) => {
      const result = (answer.rows || [])[r] || {};
      for (const td of tr.querySelectorAll('td[data-output]')) {
        td.textContent = result[td.getAttribute('data-output')] || '';
      }
      for (const box of tr.querySelectorAll('input')) {
        const wrong = answer.segment === String(r) && answer.column === box.dataset.column;
        if (wrong) box.setAttribute('aria-invalid', 'true');
        else box.removeAttribute('aria-invalid');
      }
    });
    // The totals, the check and how the line was sized, or why it has none: the core's words.
    check.textContent = answer.fault || answer.summary || '';
    check.className = answer.fault || !answer.passed ? 'failed' : 'passed';
    if (answer.csv) {
      save.href = 'data:text/csv;charset=utf-8,' + encodeURIComponent(answer.csv);
      save.removeAttribute('aria-disabled');
    } else {
      save.removeAttribute('href');
      save.setAttribute('aria-disabled', 'true');
    }
  }

  // The table again after rows were added, removed, moved or read; focus goes to `focus`
  // (a row and a cell's column, or a row's button), where the user was.
  function render(focus) {
    body.textContent = '';
    rows.forEach((row, r) => {
      const tr = element('tr');
      const name = say('第 %1 段').replace('%1', r + 1);
      for (const column of SHOWN) {
        const c = line.columns.findIndex((info) => info.name === column);
        const info = line.columns[c];
        const box = element('input', {value: row[c] || '', spellcheck: false});
        box.dataset.column = column;
        box.setAttribute('aria-label', name + ' ' + label(info));
        if (column !== 'segment' && column !== 'series' && column !== 'pipe') {
          box.inputMode = 'decimal';
        }
        box.addEventListener('input', () => {
          row[c] = box.value;
          compute();
        });
        const td = element('td');
        td.append(box);
        tr.append(td);
      }
      for (const output of ['pipe', 'bore', 'velocity', 'drop', 'outlet']) {
        const td = element('td', {className: 'result'});
        td.setAttribute('data-output', output);
        tr.append(td);
      }
      const actions = element('td', {className: 'actions'});
      for (const action of [['上移', '\u2191', -1], ['下移', '\u2193', 1], ['删除', '\u00d7', 0]]) {
        const button = element('button', {type: 'button', textContent: action[1]});
        button.setAttribute('aria-label', say(action[0]) + ' ' + name);
        button.title = say(action[0]);
        button.dataset.action = action[0];
        button.disabled = action[2] === -1 ? r === 0 : action[2] === 1 && r === rows.length - 1;
        button.addEventListener('click', () => {
          if (action[2] === 0) {
            rows.splice(r, 1);
            if (!rows.length) rows.push([]);
            render({row: Math.min(r, rows.length - 1), action: '删除'});
          } else {
            const to = r + action[2];
            rows.splice(to, 0, rows.splice(r, 1)[0]);
            render({row: to, action: to === 0 || to === rows.length - 1 ? null : action[0]});
          }
          compute();
        });
        actions.append(button);
      }
      tr.append(actions);
      body.append(tr);
    });
    if (focus) {
      const tr = body.querySelectorAll('tr')[focus.row];
      const target = focus.column ? tr.querySelector('input[data-column="' + focus.column + '"]')
        : focus.action && tr.querySelector('button[data-action="' + focus.action + '"]');
      (target && !target.disabled ? target : tr.querySelector('input')).focus();
    }
  }

  function readFile(file) {
    file.text().then((text) => {
      const read = page.callWithTexts('_tarnivel_line_read', [text]);
      if (read.error) {
        check.textContent = file.name + ': ' + read.error;
        check.className = 'failed';
        return;
      }
      rows = read.rows.length ? read.rows : [[]];
      render();
      compute();
    });
  }

  function build(event) {
    page = event.detail;
    line = Object.assign(element('section', {id: 'lineSection', hidden: true}),
                         TARNIVEL_TABLES.line);
    english = document.documentElement.lang === 'en';
    const toggle = element('button', {type: 'button', id: 'lineToggle',
                                      textContent: say('管线'),
                                      title: say('逐段计算整条管线，可读写 CSV')});
    toggle.setAttribute('aria-controls', line.id);
    toggle.setAttribute('aria-expanded', 'false');
    line.setAttribute('aria-label', say('管线'));

    // The line's parameters: the inlet, the series of the segments that name none, and the
    // core's four fields.
    const parameters = element('div', {className: 'lineParameters'});
    function parameter(id, caption, control) {
      const box = element('label', {htmlFor: id});
      control.id = id;
      box.append(element('span', {textContent: caption}), control);
      parameters.append(box);
      return control;
    }
    inlet = parameter('lineInlet', withUnit(say('压强'), 'MPa'), element('input', {inputMode:
                                                                                 'decimal'}));
    series = parameter('lineSeries', label(line.columns.find((c) => c.name === 'series')),
                       element('select'));
    series.add(new Option(say('无'), ''));
    for (const known of page.tables.series) series.add(new Option(known.label, known.series));
    series.value = page.tables.firstSeries;
    fields = line.fields.map((info) => parameter('line_' + info.name, withUnit(label(info),
                                                                               info.unit),
                                                 element('input', {value: info.value,
                                                                   title: info.words,
                                                                   inputMode: 'decimal'})));
    for (const control of [inlet, series, ...fields]) {
      control.addEventListener(control === series ? 'change' : 'input', compute);
    }

    // The segments, as typed, then as computed.
    const wrapper = element('div', {className: 'lineTable'});
    const table = element('table');
    table.append(element('caption', {textContent: say('管段表')}));
    head = element('thead');
    const titles = element('tr');
    for (const column of SHOWN) {
      const info = line.columns.find((c) => c.name === column);
      titles.append(element('th', {scope: 'col', title: info.words,
                                   textContent: withUnit(label(info), info.unit)}));
    }
    const outputs = [['pipe', '规格', ''], ['bore', '内径', 'mm'], ['velocity', '流速', 'm/s'],
                     ['drop', '压降', ''], ['outlet', '出口压力', '']];
    for (const output of outputs) {
      const th = element('th', {scope: 'col', className: 'result',
                                textContent: withUnit(capital(say(output[1])), output[2])});
      th.setAttribute('data-output', output[0]);
      th.setAttribute('data-label', capital(say(output[1])));
      th.dataset.unit = output[2];
      titles.append(th);
    }
    titles.append(element('td'));
    head.append(titles);
    body = element('tbody');
    table.append(head, body);
    wrapper.append(table);

    const buttons = element('div', {className: 'lineButtons'});
    const add = element('button', {type: 'button', id: 'lineAdd',
                                   textContent: say('添加管段')});
    add.addEventListener('click', () => {
      rows.push([]);
      render({row: rows.length - 1, column: 'segment'});
      compute();
    });
    const file = element('input', {type: 'file', id: 'lineFile', accept: '.csv,text/csv',
                                   hidden: true});
    const open = element('button', {type: 'button', id: 'lineOpen',
                                    textContent: say('读取 CSV')});
    open.addEventListener('click', () => file.click());
    file.addEventListener('change', () => {
      if (file.files.length) readFile(file.files[0]);
      file.value = '';
    });
    save = element('a', {id: 'lineSave', className: 'button', download: 'line.csv',
                         textContent: say('保存 CSV')});
    buttons.append(add, open, file, save);

    check = element('p', {id: 'lineCheck'});
    check.setAttribute('aria-live', 'polite');
    line.append(parameters, wrapper, buttons, check);

    toggle.addEventListener('click', () => {
      const opening = line.hidden;
      line.hidden = !opening;
      toggle.setAttribute('aria-expanded', opening ? 'true' : 'false');
      // The inlet starts as the window's pressure.
      if (opening && !inlet.value) inlet.value = document.getElementById('TP').value;
      compute();
    });
    render();
    document.getElementById('window').append(toggle, line);
  }

  document.addEventListener('tarnivel-building', build);
})();
