// The page's script: builds the window from the core's tables (TARNIVEL_TABLES, written into
// the page when it is built), hands the field texts to the core and shows what it answers, in
// the words of language.js and the message boxes of dialogs.js. It computes nothing and formats
// no number itself.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

// What the page's scripts share with start.js, which builds the page once all are in place.
const tarnivelPage = {};

(function () {
  const tr = tarnivelLanguage.tr;
  // The core's layout is in twips, as the desktop window places its controls; 15 twips make a
  // pixel there and a CSS pixel here.
  const TWIPS_PER_PIXEL = 15;
  // The window's exit button: no calculation, so not in the core's table.
  const EXIT = {control: 'CMD3', caption: '退  出'};

  function px(twips) { return twips / TWIPS_PER_PIXEL + 'px'; }
  function place(element, at) {
    Object.assign(element.style,
                  {left: px(at.left), top: px(at.top), width: px(at.width), height: px(at.height)});
  }

  // The core's answers are JSON texts in its memory.
  function coreText(pointer) { return Module.UTF8ToString(pointer); }
  function callWithTexts(name, texts) {
    const pointers = texts.map((text) => {
      const size = Module.lengthBytesUTF8(text) + 1;
      const pointer = Module._malloc(size);
      Module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      const answer = Module[name](...pointers);
      return answer ? JSON.parse(coreText(answer)) : null;
    } finally {
      pointers.forEach((pointer) => Module._free(pointer));
    }
  }

  // Shrinks the type of a strip line that would run past its end; a line that wraps (the narrow
  // layout) keeps its type.
  function fitLine(line) {
    line.style.fontSize = '';
    if (getComputedStyle(line).whiteSpace !== 'nowrap') return;
    let size = parseFloat(getComputedStyle(line).fontSize);
    while (line.scrollWidth > line.clientWidth && size > 7) {
      size -= 0.5;
      line.style.fontSize = size + 'px';
    }
  }

  // The strip shows the core's two lines as they are, or says that a field has changed since.
  let stripChanged = false;
  function showStrip(answer) {
    const pipe = document.getElementById('pipeText');
    const basis = document.getElementById('basisText');
    pipe.textContent = stripChanged ? tr('已更改，请重新计算') : answer.pipe || '';
    basis.textContent = stripChanged ? '' : answer.basis || '';
    document.getElementById('pipeStrip').classList.toggle('changed', stripChanged);
    pipe.title = pipe.textContent;
    basis.title = basis.textContent;
    fitStrip();
  }
  function fitStrip() {
    fitLine(document.getElementById('pipeText'));
    fitLine(document.getElementById('basisText'));
  }
  // The strip again for the last result, in the series chosen and the section's texts now.
  function refreshStrip() {
    const chooser = document.getElementById('series');
    showStrip(callWithTexts('_tarnivel_strip', [chooser.value, ...sectionTexts()]));
  }
  function markChanged() {
    const pipe = document.getElementById('pipeText');
    const basis = document.getElementById('basisText');
    if (stripChanged || !(pipe.textContent || basis.textContent)) return;
    Module._tarnivel_forget();  // another series then describes nothing
    stripChanged = true;
    showStrip({});
    document.dispatchEvent(new CustomEvent('tarnivel-changed'));  // for what follows the strip
  }

  // A result wider than its box is never cut: the box's type shrinks until the whole text
  // shows (to a legible minimum), and its tooltip holds the whole text.
  function showWhole(box, text) {
    box.value = text;
    box.style.fontSize = '';
    box.title = '';
    let size = parseFloat(getComputedStyle(box).fontSize);
    while (box.scrollWidth > box.clientWidth && size > 7) {
      size -= 0.5;
      box.style.fontSize = size + 'px';
    }
    if (box.style.fontSize) box.title = text;
    box.setSelectionRange(0, 0);  // a long result reads from its first digit
    box.scrollLeft = 0;
  }

  // The pressure-drop section's texts for the strip's pipe: whether it is open, then its typed
  // fields; the section gives its own once it is built.
  let sectionTexts = () => ['', '', '', ''];
  function calculate(control, fields) {
    const series = document.getElementById('series').value;
    const answer = callWithTexts('_tarnivel_calculate',
                                 [control, series, ...fields.map((f) => f.value),
                                  ...sectionTexts()]);
    stripChanged = false;
    showStrip(answer);
    const written = answer.fields || {};
    for (const id of Object.keys(written)) {
      showWhole(document.getElementById(id), written[id]);
    }
    document.dispatchEvent(new CustomEvent('tarnivel-calculated',
                                           {detail: {control: control, answer: answer}}));
    // After a prompt the field's text is selected, so that typing replaces it.
    const focus = () => {
      if (!answer.focus) return;
      const box = document.getElementById(answer.focus);
      box.focus();
      box.select();
    };
    if (answer.fault) {
      tarnivelDialogs.fault(answer.fault);
    } else if (answer.prompt) {
      tarnivelDialogs.prompt(answer.prompt, focus);
    } else {
      focus();
    }
  }

  function exit() {
    window.close();
    // A page the browser will not close (one the user opened) is left blank instead.
    setTimeout(() => location.replace('about:blank'), 50);
  }

  // A text box for numbers in its captioned frame, both placed by the layout table; the frame
  // is the box's parent.
  function framedField(places, control, captionText) {
    const frame = document.createElement('div');
    const caption = document.createElement('span');
    const box = document.createElement('input');
    frame.id = places[control].container;
    frame.className = 'frame';
    frame.setAttribute('role', 'group');
    caption.textContent = tr(captionText);
    caption.id = control + '-caption';
    frame.setAttribute('aria-labelledby', caption.id);
    box.id = control;
    box.setAttribute('aria-labelledby', caption.id);
    Object.assign(box, {type: 'text', autocomplete: 'off', spellcheck: false});
    box.setAttribute('autocapitalize', 'off');
    box.setAttribute('inputmode', 'decimal');
    place(frame, places[frame.id]);
    place(box, places[control]);
    frame.append(caption, box);
    return box;
  }

  // What waits for the core to be compiled: telling it the page's words.
  const whenCoreStarts = [];
  Module.onRuntimeInitialized = () => whenCoreStarts.forEach((then) => then());

  function build() {
    const tables = TARNIVEL_TABLES.window;
    const places = {};
    for (const at of tables.layout) places[at.control] = at;
    translatePage();
    const client = document.getElementById('client');
    client.style.width = px(tables.client[0]);
    client.style.height = px(tables.client[1]);
    const controls = {};
    const fields = tables.fields.map((field) => {
      const box = framedField(places, field.control, field.caption);
      controls[box.parentNode.id] = box.parentNode;
      return box;
    });
    const buttons = [];
    const button = (control, caption, action) => {
      const element = document.createElement('button');
      element.type = 'button';
      element.id = control;
      element.textContent = tr(caption);
      element.addEventListener('click', action);
      place(element, places[control]);
      controls[control] = element;
      buttons.push(element);
      return element;
    };
    for (const calculation of tables.calculations) {
      button(calculation.control, calculation.caption, () => calculate(calculation.control, fields));
    }
    button(EXIT.control, EXIT.caption, exit);
    // Focused as the page is first drawn: focus() itself would lay the page out before it is
    // ready. Set before the button joins the document, which is when the browser notes it.
    controls[tables.calculations[0].control].autofocus = true;
    buildStrip(tables, places, controls);

    // Enter walks the fields in their order, and from the last to the first calculation.
    const enterGoesTo = [...fields.slice(1), controls[tables.calculations[0].control]];
    fields.forEach((box, i) => box.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing) return;
      event.preventDefault();
      enterGoesTo[i].focus();
    }));
    // What the user types shows in the box's own type again, and makes the strip out of date.
    fields.forEach((box) => box.addEventListener('input', () => {
      box.style.fontSize = '';
      box.title = '';
      markChanged();
    }));

    // Sections of their own add their controls, placed by the same table, in the same words.
    document.dispatchEvent(new CustomEvent('tarnivel-building', {detail: {
      tables: tables, places: places, controls: controls, place: place, px: px, tr: tr,
      showWhole: showWhole, callWithTexts: callWithTexts, framedField: framedField,
      whenCoreStarts: whenCoreStarts, refreshStrip: refreshStrip,
      followSection: (texts) => { sectionTexts = texts; },
    }}));

    // Document order is the tab order: each control of the core's order, or the part of the
    // window holding it. A narrow screen's grid stacks by it too, so the buttons go last, in
    // their left-to-right order, two by two.
    for (let name of tables.tabOrder) {
      while (places[places[name].container]) name = places[name].container;
      if (controls[name].parentNode !== client) client.append(controls[name]);
    }
    buttons.sort((a, b) => places[a.id].left - places[b.id].left);
    buttons.forEach((element, i) => {
      Object.assign(element.style, {gridRow: 5 + (i >> 1), gridColumn: 1 + (i & 1)});
    });
    addEventListener('resize', fitStrip);  // the layout may have changed between desktop and phone
    document.documentElement.setAttribute('data-ready', '');
    performance.mark('tarnivel-ready');  // for the benchmark: navigation to ready for input
    // The core, once the page has been drawn, so that the first click finds it compiled; a
    // click before that compiles it itself.
    setTimeout(tarnivelCore.start);
    setTimeout(addManifest);  // only for adding the page to a home screen: not needed to start
  }

  // The page's own words in its language, and the core's once it has started.
  function translatePage() {
    tarnivelLanguage.translateDocument();
    const words = ['内径', '绝压', '工况流量', '%1 中没有内径 ≥ %2 mm 的管',
                   '%1 中没有压降不超过 %2 kPa 的管'].map(tr);
    whenCoreStarts.push(() => callWithTexts('_tarnivel_words', words));
  }

  // The strip: two read-only lines, selectable but out of the tab order as on the desktop, and
  // the chooser of the series built into the core under its label.
  function buildStrip(tables, places, controls) {
    const strip = document.createElement('div');
    strip.id = 'pipeStrip';
    strip.setAttribute('role', 'status');  // a reader hears what a calculation concluded
    const line = (id) => {
      const element = document.createElement('p');
      element.id = id;
      return element;
    };
    const pipe = line('pipeText'), basis = line('basisText');
    const label = document.createElement('label');
    const chooser = document.createElement('select');
    label.id = 'seriesLabel';
    label.htmlFor = 'series';
    label.textContent = tr('管道系列');
    chooser.id = 'series';
    chooser.title = tr(tables.seriesHint);
    for (const series of tables.series) {
      const option = new Option(series.label, series.series);
      option.title = tr(series.description);
      chooser.add(option);
    }
    chooser.value = tables.firstSeries;
    chooser.addEventListener('change', refreshStrip);
    for (const element of [strip, pipe, basis, label, chooser]) place(element, places[element.id]);
    strip.append(pipe, basis, label, chooser);
    controls[strip.id] = strip;
  }

  // A phone adds the page to its home screen from a manifest; made here because its start
  // address is wherever the page was opened from.
  function addManifest() {
    const icon = document.querySelector('link[rel="apple-touch-icon"]').href;
    const manifest = {
      name: 'Tarnivel', short_name: 'Tarnivel', start_url: location.href.split('#')[0],
      display: 'standalone', background_color: '#dcdcdc', theme_color: '#f0f0f0',
      icons: [{src: icon, sizes: '256x256', type: 'image/png'}],
    };
    document.getElementById('manifest').href =
        'data:application/manifest+json,' + encodeURIComponent(JSON.stringify(manifest));
  }

  tarnivelPage.build = build;
})();
