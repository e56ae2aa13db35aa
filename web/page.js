// The page's script: hands the field texts to the core and shows what it answers, in the window
// built by window.js, the words of language.js and the message boxes of dialogs.js; the keys
// and the order in which the page starts are here too. It computes nothing and formats no
// number itself.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

// What the page's scripts share with start.js, which builds the page once all are in place.
const tarnivelPage = {};

(function () {
  const tr = tarnivelLanguage.tr;

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
  let fields = [];  // the window's fields, in the core's order, once it is built
  function calculate(control) {
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

  // What waits for the core to be compiled: telling it the page's words.
  const whenCoreStarts = [];
  Module.onRuntimeInitialized = () => whenCoreStarts.forEach((then) => then());

  function build() {
    translatePage();
    const built = tarnivelWindow.build(calculate, exit);
    const tables = built.tables, controls = built.controls;
    fields = built.fields;
    built.chooser.addEventListener('change', refreshStrip);

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
      tables: tables, places: built.places, controls: controls, place: tarnivelWindow.place,
      px: tarnivelWindow.px, tr: tr, showWhole: showWhole, callWithTexts: callWithTexts,
      framedField: tarnivelWindow.framedField, whenCoreStarts: whenCoreStarts,
      refreshStrip: refreshStrip, followSection: (texts) => { sectionTexts = texts; },
      sectionTexts: () => sectionTexts(),
    }}));

    tarnivelWindow.arrange(built);
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
