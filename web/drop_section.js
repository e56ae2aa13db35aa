// The pressure-drop section below the pipe strip, as in the window: a toggle between the
// columns of the fields, then the length, the temperature and an allowed drop, the outlet
// pressure and a line of text. Every word and number comes from the core, every place from
// its layout table, as the page hands them over; open or closed is remembered by the browser.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

(function () {
  const STORED = 'tarnivel-drop-section-open';

  // The line the strip describes: the control of the last calculation and the four field
  // texts it left, or null while the strip describes nothing current.
  let shown = null;
  let page = null, typed = [], outlet = null, text = null;

  function refresh() {
    if (!text) return;
    if (!shown) {
      outlet.value = '';
      outlet.title = '';
      text.textContent = page.tr(page.drop.noLine);
      text.classList.remove('over');
      fitText();
      return;
    }
    const series = document.getElementById('series').value;
    const answer = page.callWithTexts('_tarnivel_drop', [shown.control, series, ...shown.fields,
                                                         ...typed.map((box) => box.value)]);
    page.showWhole(outlet, answer.outlet || '');  // never cut, as the fields' results
    text.textContent = answer.line || '';
    text.classList.toggle('over', !!answer.overLimit);
    fitText();
  }

  // A line longer than its room shows whole in a smaller type, as in the window.
  function fitText() {
    text.style.fontSize = '';
    let size = parseFloat(getComputedStyle(text).fontSize);
    while (text.scrollHeight > text.clientHeight && size > 7) {
      size -= 0.5;
      text.style.fontSize = size + 'px';
    }
    text.title = text.style.fontSize ? text.textContent : '';
  }

  function build(event) {
    page = event.detail;
    const drop = TARNIVEL_TABLES.drop;
    page.drop = drop;
    // The core writes the section's answers in the page's words once it has started; a word
    // the page says as the core does needs no call.
    page.whenCoreStarts.push(() => {
      for (const word of drop.words) {
        const translation = page.tr(word);
        if (translation !== word) page.callWithTexts('_tarnivel_drop_word', [word, translation]);
      }
    });

    const places = page.places;
    const toggle = document.createElement('button');
    const section = document.createElement('div');
    toggle.type = 'button';
    toggle.id = 'dropToggle';
    toggle.textContent = page.tr(drop.title);
    toggle.title = page.tr(drop.hint);
    toggle.setAttribute('aria-controls', 'dropSection');
    section.id = 'dropSection';
    section.setAttribute('role', 'region');
    section.setAttribute('aria-label', page.tr(drop.title));

    const boxes = drop.fields.map((field) => {
      const box = page.framedField(places, field.control, field.caption);
      box.value = field.value;
      section.append(box.parentNode);
      return box;
    });
    typed = boxes.slice(0, -1);
    outlet = boxes[boxes.length - 1];
    Object.assign(outlet, {readOnly: true, tabIndex: -1});  // a result, as in the window
    text = document.createElement('div');
    text.id = 'dropText';
    text.setAttribute('aria-live', 'polite');
    section.append(text);
    for (const element of [toggle, section, text]) page.place(element, places[element.id]);
    // The strip's pipe follows the open section's texts (an allowed drop may choose a larger
    // one), and the section the strip's pipe.
    page.followSection(() => [section.hidden ? '' : '1', ...typed.map((box) => box.value)]);
    const follow = () => {
      if (shown) page.refreshStrip();
      refresh();
    };
    typed.forEach((box) => box.addEventListener('input', follow));

    // The section's top is the closed window's bottom edge; open, the client area grows by it.
    const client = document.getElementById('client');
    const at = places[section.id];
    const show = (state) => {
      toggle.setAttribute('aria-expanded', state ? 'true' : 'false');
      section.hidden = !state;
      client.style.height = page.px(at.top + (state ? at.height : 0));
      if (shown) page.refreshStrip();
    };
    let toggled = false;
    toggle.addEventListener('click', () => {
      toggled = true;
      show(section.hidden);
      try {
        localStorage.setItem(STORED, section.hidden ? '0' : '1');
      } catch (error) {
        // A browser that keeps nothing for a page opened from disk: the state lasts the visit.
      }
    });
    show(false);
    // The browser's storage answers its first read slowly (a few ms): read it just before the
    // first frame is drawn, after the page is ready, so that an open section still shows at once.
    requestAnimationFrame(() => {
      let stored = null;
      try {
        stored = localStorage.getItem(STORED);
      } catch (error) {
        stored = null;
      }
      if (!toggled && stored === '1') show(true);
    });
    page.controls[toggle.id] = toggle;  // the page puts them in the tab order
    page.controls[section.id] = section;
    refresh();
  }

  document.addEventListener('tarnivel-building', build);
  // Another series in the strip's chooser: another pipe, and its roughness.
  document.addEventListener('change', (event) => {
    if (event.target.id === 'series') refresh();
  });
  document.addEventListener('tarnivel-calculated', (event) => {
    const answer = event.detail.answer;
    shown = answer.prompt || answer.fault ? null : {
      control: event.detail.control,
      fields: page.tables.fields.map((field) => document.getElementById(field.control).value),
    };
    refresh();
  });
  // A field changed since: the strip's result is gone, and the outlet with it.
  document.addEventListener('tarnivel-changed', () => {
    shown = null;
    refresh();
  });
})();
