// The calculation sheet (计算书) of the strip's pipe after a diameter calculation, with the
// pressure-drop section's line when it is open, and of the line section's line. The core
// writes each as one HTML page, which opens in a tab of its own, ready for the browser's
// print (to PDF), or downloads. The title block is remembered by the browser.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

(function () {
  const STORED = 'tarnivel-sheet-';
  // The page's own words in English; the window's are in its catalogues.
  const ENGLISH = {
    '计算书': 'Calculation sheet', '工程名称': 'Project', '管线名称': 'Line',
    '设计人': 'Designer', '管道选型': 'Pipe sizing', '管线': 'Line', '打开': 'Open',
    '下载 HTML': 'Download HTML',
    '计算书记录直径计算所选的管道：请先进行直径计算。':
        'A calculation sheet records the pipe a diameter calculation chose: calculate the ' +
        'diameter first.',
    '管线计算书记录管线中输入的管线：请先打开管线并输入管段。':
        'The sheet of a line records the line typed under Line: open it and type the ' +
        'segments first.',
  };
  let page = null, english = false, sizing = null, boxes = [], note = null;

  function say(chinese) {
    const translated = page.tr(chinese);
    return english && translated === chinese && ENGLISH[chinese] ? ENGLISH[chinese] : translated;
  }
  function element(tag, properties) {
    return Object.assign(document.createElement(tag), properties || {});
  }
  function today() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return now.getFullYear() + '-' + two(now.getMonth() + 1) + '-' + two(now.getDate());
  }
  function stamp() {
    return [english ? 'en' : 'zh', ...boxes.map((box) => box.value), today()];
  }

  // The sheet's answer from the core, or null with the reason shown.
  function pipeSheet() {
    if (!sizing) return refuse(say('计算书记录直径计算所选的管道：请先进行直径计算。'));
    const series = document.getElementById('series').value;
    const answer = page.callWithTexts('_tarnivel_pipe_sheet',
                                      [...stamp(), ...sizing, series, ...page.sectionTexts()]);
    return answer.html ? answer : refuse(say('计算书记录直径计算所选的管道：请先进行直径计算。'));
  }
  function lineSheet() {
    const texts = tarnivelPage.lineTexts ? tarnivelPage.lineTexts() : null;
    const answer = texts && page.callWithTexts('_tarnivel_line_sheet', [...stamp(), ...texts]);
    if (answer && answer.html) return answer;
    // The core's words for a line it cannot compute, as the line section says them.
    return refuse(answer && answer.fault ? answer.fault
                                         : say('管线计算书记录管线中输入的管线：请先打开管线并输入管段。'));
  }
  function refuse(text) {
    note.textContent = text;
    return null;
  }
  function url(answer) {
    note.textContent = '';
    return URL.createObjectURL(new Blob([answer.html], {type: 'text/html;charset=utf-8'}));
  }

  // An «open» button and a «download» link for one kind of sheet.
  function actions(caption, id, make) {
    const group = element('div', {className: 'sheetKind', role: 'group'});
    group.setAttribute('aria-label', caption);
    const open = element('button', {type: 'button', id: id + 'Open', textContent: say('打开')});
    open.addEventListener('click', () => {
      const answer = make();
      if (answer) window.open(url(answer), '_blank', 'noopener');
    });
    const save = element('a', {id: id + 'Save', className: 'button', href: '#',
                               textContent: say('下载 HTML')});
    save.addEventListener('click', (event) => {
      const answer = make();
      if (!answer) {
        event.preventDefault();
        return;
      }
      save.download = answer.title.replace(/[\\/:*?"<>|]/g, '') + '.html';
      save.href = url(answer);
    });
    group.append(element('span', {textContent: caption}), open, save);
    return group;
  }

  function build(event) {
    page = event.detail;
    english = document.documentElement.lang === 'en';
    const sheet = element('details', {id: 'sheet'});
    sheet.append(element('summary', {textContent: say('计算书')}));
    const title = element('div', {className: 'sheetTitle'});
    boxes = [['sheetProject', '工程名称'], ['sheetLine', '管线名称'], ['sheetDesigner', '设计人']]
        .map((field) => {
          const box = element('input', {id: field[0],
                                        value: localStorage.getItem(STORED + field[0]) || ''});
          box.addEventListener('input', () => localStorage.setItem(STORED + field[0], box.value));
          const label = element('label', {htmlFor: field[0]});
          label.append(element('span', {textContent: say(field[1])}), box);
          title.append(label);
          return box;
        });
    note = element('p', {id: 'sheetNote'});
    note.setAttribute('aria-live', 'polite');
    sheet.append(title, actions(say('管道选型'), 'pipeSheet', pipeSheet),
                 actions(say('管线'), 'lineSheet', lineSheet), note);
    document.getElementById('window').append(sheet);
  }

  // The texts a diameter calculation left: what the sheet of the strip's pipe is made from,
  // until a field changes.
  document.addEventListener('tarnivel-calculated', (event) => {
    const answer = event.detail.answer;
    const ok = event.detail.control === 'dia' && !answer.prompt && !answer.fault;
    sizing = ok ? ['TP', 'TV', 'TM'].map((id) => document.getElementById(id).value) : null;
  });
  document.addEventListener('tarnivel-changed', () => { sizing = null; });
  document.addEventListener('tarnivel-building', build);
})();
