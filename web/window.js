// The window's construction from the core's tables (TARNIVEL_TABLES.window, written into the
// page when it is built): the client area at the desktop's size, the captioned fields, the
// buttons and the pipe strip with its series chooser, each where the core's layout places it
// and in the page's language. What the controls do is page.js's.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

const tarnivelWindow = (function () {
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

  // The window's controls, not yet in the document: `calculate` runs the calculation of the
  // button named, `exit` is the exit button's. The answer holds the tables, the places by
  // control, the controls by name, the fields and the buttons in the table's order, and the
  // series chooser.
  function build(calculate, exit) {
    const tables = TARNIVEL_TABLES.window;
    const places = {};
    for (const at of tables.layout) places[at.control] = at;
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
      button(calculation.control, calculation.caption, () => calculate(calculation.control));
    }
    button(EXIT.control, EXIT.caption, exit);
    // Focused as the page is first drawn: focus() itself would lay the page out before it is
    // ready. Set before the button joins the document, which is when the browser notes it.
    controls[tables.calculations[0].control].autofocus = true;
    const chooser = buildStrip(tables, places, controls);
    return {tables: tables, places: places, controls: controls, fields: fields, buttons: buttons,
            chooser: chooser};
  }

  // The strip: two read-only lines, selectable but out of the tab order as on the desktop, and
  // the chooser of the series built into the core under its label, which it returns.
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
    for (const element of [strip, pipe, basis, label, chooser]) place(element, places[element.id]);
    strip.append(pipe, basis, label, chooser);
    controls[strip.id] = strip;
    return chooser;
  }

  // Puts the controls built (with those the sections added) into the client area. Document
  // order is the tab order: each control of the core's order, or the part of the window holding
  // it. A narrow screen's grid stacks by it too, so the buttons go last, in their left-to-right
  // order, two by two.
  function arrange(built) {
    const places = built.places, controls = built.controls;
    const client = document.getElementById('client');
    for (let name of built.tables.tabOrder) {
      while (places[places[name].container]) name = places[name].container;
      if (controls[name].parentNode !== client) client.append(controls[name]);
    }
    const buttons = built.buttons.slice().sort((a, b) => places[a.id].left - places[b.id].left);
    buttons.forEach((element, i) => {
      Object.assign(element.style, {gridRow: 5 + (i >> 1), gridColumn: 1 + (i & 1)});
    });
  }

  return {px: px, place: place, framedField: framedField, build: build, arrange: arrange};
})();
