// The pressure-drop section below the pipe strip, as in the window: a toggle between the
// columns of the fields, then the length, the temperature and an allowed drop, the outlet
// pressure and a line of text. Every word and number comes from the core; open or closed is
// remembered by the browser. (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

(function () {
  // Where the window places the section, in twips (15 to a pixel): the toggle in the window,
  // everything else inside the section, which starts at the closed window's bottom edge.
  const TWIPS_PER_PIXEL = 15;
  const TOGGLE = [1950, 1200, 795, 375];
  const SECTION_TOP = 2880, SECTION_HEIGHT = 2295;
  const FRAMES = [[360, 0, 1572], [2760, 0, 1812], [360, 840, 1572], [2760, 840, 1812]];
  const FRAME_HEIGHT = 735, BOX_LEFT = 120, BOX_TOP = 240, BOX_HEIGHT = 375;
  const TEXT = [120, 1680, 4572, 555];
  const STORED = 'tarnivel-drop-section-open';
  const STYLE = `
    #dropSection > * { position: absolute; box-sizing: border-box; }
    #dropSection[hidden] { display: none; }
    #dropToggle { white-space: nowrap; }
    #dropToggle::before { content: "\\25B8\\00A0"; font-size: 80%; }
    #dropToggle[aria-expanded="true"]::before { content: "\\25BE\\00A0"; }
    #dropText { white-space: normal; overflow: hidden; }
    #dropText.over { color: #a00000; }
    @media (max-width: 359px) {
      #dropToggle { grid-row: 8; grid-column: 1 / -1; min-height: 40px; }
      #dropSection { grid-row: 9; grid-column: 1 / -1; display: grid; gap: 8px; }
      #dropSection[hidden] { display: none; }
      #dropSection > * { position: relative !important; left: auto !important; top: auto !important;
                         width: auto !important; height: auto !important; }
      #dropSection > .frame { padding: 18px 8px 8px; }
    }`;

  function px(twips) { return twips / TWIPS_PER_PIXEL + 'px'; }
  function place(element, left, top, width, height) {
    Object.assign(element.style, {left: px(left), top: px(top), width: px(width), height: px(height)});
  }

  // The core's answers are JSON texts in its memory.
  function callWithTexts(name, texts) {
    const pointers = texts.map((text) => {
      const size = Module.lengthBytesUTF8(text) + 1;
      const pointer = Module._malloc(size);
      Module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      return JSON.parse(Module.UTF8ToString(Module[name](...pointers)));
    } finally {
      pointers.forEach((pointer) => Module._free(pointer));
    }
  }

  // The line the strip describes: the control of the last calculation and the four field
  // texts it left, or null while the strip is empty.
  let shown = null;
  let boxes = [], outlet = null, text = null, noLine = '';

  function refresh() {
    if (!text) return;
    if (!shown) {
      outlet.value = '';
      text.textContent = noLine;
      text.classList.remove('over');
      return;
    }
    const series = document.getElementById('series').value;
    const answer = callWithTexts('_tarnivel_drop', [shown.control, series, ...shown.fields,
                                                    ...boxes.map((box) => box.value)]);
    // The outlet is never cut: its type shrinks until it shows whole, as the fields' results do.
    outlet.value = answer.outlet || '';
    outlet.title = outlet.value;
    outlet.style.fontSize = '';
    let size = parseFloat(getComputedStyle(outlet).fontSize);
    while (outlet.scrollWidth > outlet.clientWidth && size > 7) {
      size -= 0.5;
      outlet.style.fontSize = size + 'px';
    }
    text.textContent = answer.line || '';
    text.classList.toggle('over', !!answer.overLimit);
  }

  function build() {
    const tables = JSON.parse(Module.UTF8ToString(Module._tarnivel_drop_tables()));
    const client = document.getElementById('client');
    const style = document.createElement('style');
    style.textContent = STYLE;
    document.head.append(style);
    noLine = tables.noLine;

    const toggle = document.createElement('button');
    const section = document.createElement('div');
    toggle.type = 'button';
    toggle.id = 'dropToggle';
    toggle.textContent = tables.title;
    toggle.title = tables.hint;
    toggle.setAttribute('aria-controls', 'dropSection');
    place(toggle, ...TOGGLE);
    section.id = 'dropSection';
    section.setAttribute('role', 'region');
    section.setAttribute('aria-label', tables.title);
    place(section, 0, SECTION_TOP, 4890, SECTION_HEIGHT);

    const frames = tables.quantities.map((quantity, i) => {
      const frame = document.createElement('div');
      const caption = document.createElement('span');
      const box = document.createElement('input');
      frame.className = 'frame';
      frame.setAttribute('role', 'group');
      caption.textContent = quantity.caption;
      caption.id = 'drop_' + quantity.name + '-caption';
      frame.setAttribute('aria-labelledby', caption.id);
      box.id = 'drop_' + quantity.name;
      box.setAttribute('aria-labelledby', caption.id);
      Object.assign(box, {type: 'text', autocomplete: 'off', spellcheck: false, value: quantity.value});
      place(frame, FRAMES[i][0], FRAMES[i][1], FRAMES[i][2], FRAME_HEIGHT);
      place(box, BOX_LEFT, BOX_TOP, FRAMES[i][2] - 2 * BOX_LEFT, BOX_HEIGHT);
      frame.append(caption, box);
      return frame;
    });
    boxes = frames.slice(0, 3).map((frame) => frame.querySelector('input'));
    outlet = frames[3].querySelector('input');
    Object.assign(outlet, {readOnly: true, tabIndex: -1});  // a result, as in the window
    text = document.createElement('div');
    text.id = 'dropText';
    text.setAttribute('aria-live', 'polite');
    place(text, ...TEXT);
    section.append(...frames, text);
    boxes.forEach((box) => box.addEventListener('input', refresh));

    const open = (state) => {
      toggle.setAttribute('aria-expanded', state ? 'true' : 'false');
      section.hidden = !state;
      // The client area grows by the section, as the window does.
      client.style.height = state ? px(SECTION_TOP + SECTION_HEIGHT) : '';
      try {
        localStorage.setItem(STORED, state ? '1' : '0');
      } catch (error) {
        // A browser that keeps nothing for a page opened from disk: the state lasts the visit.
      }
    };
    toggle.addEventListener('click', () => open(section.hidden));
    let stored = null;
    try {
      stored = localStorage.getItem(STORED);
    } catch (error) {
      stored = null;
    }
    open(stored === '1');
    // Document order is the tab order: after the strip's chooser.
    client.append(toggle, section);
    document.getElementById('series').addEventListener('change', refresh);
    refresh();
  }

  document.addEventListener('tarnivel-built', build);
  document.addEventListener('tarnivel-calculated', (event) => {
    const answer = event.detail.answer;
    shown = answer.prompt || answer.fault ? null : {
      control: event.detail.control,
      fields: ['TP', 'TV', 'TD', 'TM'].map((id) => document.getElementById(id).value),
    };
    refresh();
  });
})();
