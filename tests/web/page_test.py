#!/usr/bin/env python3
"""The browser page in headless Chromium, offline: the keyboard road, the window's tab order,
every case of cases.txt against the command line built from the same tree, the pipe strip
against the command line's pipe table, the pressure-drop section against `tarnivel drop`, no
request beyond the page itself, the phone layout tapped for real, the English of an English
browser, axe-core's accessibility rules, the page served over HTTP, the exit button, and the
line section against `tarnivel line` (the courtyard line, then seeded random lines).

    page_test.py PAGE.html TARNIVEL_EXECUTABLE [AXE.js]
AXE.js defaults to build/npm/node_modules/axe-core/axe.min.js beside the page's build folder
(scripts/test installs it there with npm).
Prints one line per failure and a closing "N passed, N failed"; exits 1 on any failure.
"""
import csv
import functools
import io
import http.server
import pathlib
import random
import re
import tempfile
import subprocess
import sys
import threading

from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from selenium.webdriver.support.select import Select

import browser

# The command line's option for each of the page's fields, and the button of each calculation.
OPTIONS = {'TP': '-p', 'TV': '-v', 'TD': '-d', 'TM': '-q'}
BUTTONS = {'velocity': 'CMD1', 'flow': 'CMD2', 'diameter': 'dia'}
WRITES = {'velocity': {'TV'}, 'flow': {'TM'}, 'diameter': {'TD', 'TM'}}
PROMPT_FOCUS = {'请输入流通直径': 'TD', '请输入完整数据': 'TM'}

OPEN_DIALOG = """const d = document.querySelector('dialog[open]');
  return d && [d.querySelector('.caption').textContent, d.querySelector('#message-text').textContent,
               !d.querySelector('#message-detail').hidden, d.querySelectorAll('button').length];"""


class Results:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, condition, what):
        if condition:
            self.passed += 1
        else:
            self.failed += 1
            print(f'FAIL {what}')


def native(tarnivel, calculation, texts):
    """The command line's answer: (status, result, message), the message without its prefix."""
    args = [tarnivel, calculation]
    for field, text in texts.items():
        args += [OPTIONS[field], text]
    run = subprocess.run(args, capture_output=True, text=True, check=False)
    lines = run.stderr.splitlines()
    message = lines[-1].removeprefix('tarnivel: ') if lines else ''
    return run.returncode, run.stdout.strip(), message


def active_id(driver):
    return driver.execute_script('return document.activeElement.id')


def focus_settles_on(driver, wanted):
    """The focused control, once it is `wanted` or half a second has passed: a dialog's close
    event, which moves the focus, comes a moment after the dialog has gone."""
    try:
        WebDriverWait(driver, 0.5).until(lambda d: active_id(d) == wanted)
    except TimeoutException:
        pass
    return active_id(driver)


def close_dialog(driver):
    ActionChains(driver).send_keys(Keys.ENTER).perform()  # its one button has the focus


def check_case(driver, results, tarnivel, calculation, texts):
    name = f'{calculation} {texts}'
    status, result, message = native(tarnivel, calculation, texts)
    # A dialog a failed case left open would block the next one.
    driver.execute_script("document.querySelectorAll('dialog[open]').forEach(d => d.close())")
    driver.execute_script('for (const [id, text] of Object.entries(arguments[0]))'
                          ' document.getElementById(id).value = text;', texts)
    driver.find_element('id', BUTTONS[calculation]).click()
    dialog = driver.execute_script(OPEN_DIALOG)
    values = {field: driver.find_element('id', field).get_property('value') for field in texts}
    if status == 0:
        written = values[{'velocity': 'TV', 'flow': 'TM', 'diameter': 'TD'}[calculation]]
        results.check(dialog is None and written == result,
                      f'{name}: page {written!r} {dialog}, command line {result!r}')
        return
    if status == 1:
        results.check(dialog == ['Ovrin', message, False, 1],
                      f'{name}: page {dialog}, command line prompt {message!r}')
        close_dialog(driver)
        focus = focus_settles_on(driver, PROMPT_FOCUS.get(message))
        results.check(focus == PROMPT_FOCUS.get(message), f'{name}: focus in {focus!r} after the prompt')
        return
    kept = all(values[f] == texts[f] for f in texts if f not in WRITES[calculation])
    results.check(status == 2 and dialog == ['Tarnivel', message, True, 1] and kept,
                  f'{name}: page {dialog} {values}, command line {status} {message!r}')
    close_dialog(driver)


def check_whole_result(driver, results):
    """A result wider than its box shows whole, in a smaller type, with a tooltip; a prompt
    selects the field it points at."""
    driver.execute_script("for (const [id, text] of Object.entries(arguments[0]))"
                          " document.getElementById(id).value = text;",
                          {'TP': '0.3', 'TD': '100', 'TM': '0.001'})
    driver.find_element('id', 'CMD1').click()
    box = driver.execute_script("const b = document.getElementById('TV');"
                                " return [b.value, b.title, b.scrollWidth <= b.clientWidth];")
    results.check(box == ['8.84194143371033E-06', '8.84194143371033E-06', True],
                  f'a wide result shows whole: {box}')
    driver.execute_script("document.getElementById('TM').value = '';")
    driver.find_element('id', 'dia').click()
    close_dialog(driver)
    focus_settles_on(driver, 'TM')
    selected = driver.execute_script("const b = document.activeElement;"
                                     " return [b.id, b.selectionStart, b.selectionEnd];")
    results.check(selected == ['TM', 0, 1], f'the prompt selects the flow field: {selected}')


def read_cases(path):
    for line in path.read_text(encoding='utf-8').splitlines():
        if not line.strip() or line.startswith('#'):
            continue
        cells = [cell.strip() for cell in line.split('|')]
        yield cells[0], dict(zip(OPTIONS, cells[1:]))


def check_keyboard(driver, results):
    """The window's tab order, then the road a user types: 0.3, 100 and 1000 by Enter."""
    order = [active_id(driver)]
    for _ in range(8):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        order.append(active_id(driver))
    results.check(order == ['CMD1', 'CMD2', 'CMD3', 'TP', 'TV', 'TD', 'TM', 'dia', 'series'],
                  f'tab order {order}')
    driver.execute_script("document.getElementById('CMD1').focus()")
    keys = [Keys.TAB] * 3 + ['0.3', Keys.ENTER, Keys.ENTER, '100', Keys.ENTER, '1000',
                             Keys.ENTER]
    ActionChains(driver).send_keys(*keys).perform()
    on_button = active_id(driver)
    ActionChains(driver).send_keys(Keys.ENTER).perform()
    velocity = driver.find_element('id', 'TV').get_property('value')
    results.check(on_button == 'CMD1' and velocity == '8.84194143371033',
                  f'keyboard road: Enter from TM to {on_button!r}, velocity {velocity!r}')


def chosen_pipe(tarnivel, series):
    """The strip's pipe part for 0.3 MPa, 10 m/s, 1000 Nm³/h, from the command line's table."""
    run = subprocess.run([tarnivel, 'pipe', '-p', '0.3', '-v', '10', '-q', '1000', '--csv',
                          '--series', series], capture_output=True, text=True, check=True)
    for row in csv.DictReader(io.StringIO(run.stdout)):
        if row['choice'] == 'chosen':
            # de125 names its outside diameter; DN100 a nominal size, so the outside follows.
            name = (f"{row['pipe']}×{row['wall']}" if row['pipe'].endswith(row['outside'])
                    else f"{row['pipe']} ({row['outside']}×{row['wall']})")
            return f"{name} · 内径 {row['bore']} mm · {float(row['velocity']):.2f} m/s"
    return None


def check_strip(driver, results, tarnivel):
    """Below the buttons: the pipe of the chosen series, then the basis, after a diameter;
    another series at once when the chooser changes; once a field is typed into, a note that the
    result is out of date, which another series does not undo; nothing after a prompt."""
    def strip():
        return driver.execute_script("return document.getElementById('pipeText').textContent"
                                     " + ' | ' + document.getElementById('basisText').textContent")

    driver.execute_script("document.querySelectorAll('dialog[open]').forEach(d => d.close())")
    chooser = Select(driver.find_element('id', 'series'))
    chooser.select_by_value('pe-sdr11')
    for field, text in {'TP': '0.3', 'TV': '10', 'TD': '', 'TM': '1000'}.items():
        driver.execute_script('arguments[0].value = arguments[1]',
                              driver.find_element('id', field), text)
    driver.find_element('id', 'dia').click()
    basis = ' | 绝压 0.4 MPa · 工况流量 250 m³/h'
    results.check(strip() == 'de125×11.4 · 内径 102.2 mm · 8.47 m/s' + basis
                  and strip() == chosen_pipe(tarnivel, 'pe-sdr11') + basis,
                  f'strip after the diameter: {strip()!r}')
    chooser.select_by_value('steel')
    results.check(strip() == chosen_pipe(tarnivel, 'steel') + basis,
                  f'strip in steel: {strip()!r}')
    driver.execute_script("document.getElementById('TM').value = '1e15'")
    driver.find_element('id', 'dia').click()  # a line flow of fifteen digits
    whole = driver.execute_script("return ['pipeText', 'basisText'].map(id => {"
                                  " const line = document.getElementById(id);"
                                  " return line.scrollWidth <= line.clientWidth; })")
    results.check(whole == [True, True], f'the strip\'s lines show whole: {strip()!r}')
    driver.find_element('id', 'TP').send_keys('5')
    chooser.select_by_value('pe-sdr17')
    results.check(strip() == '已更改，请重新计算 | ', f'strip after typing: {strip()!r}')
    driver.find_element('id', 'TV').clear()
    driver.find_element('id', 'dia').click()  # no velocity: a prompt
    close_dialog(driver)
    results.check(strip() == ' | ', f'strip after a prompt: {strip()!r}')


def chosen_by_both(tarnivel):
    """The pipe, outlet and deciding check of `tarnivel pipe` for 0.005 MPa, 10 m/s, 50 Nm³/h in
    SDR11 over 200 m with at most 1 kPa lost."""
    run = subprocess.run([tarnivel, 'pipe', '-p', '0.005', '-v', '10', '-q', '50', '-s', 'SDR11',
                          '--length', '200', '--max-drop', '1', '--csv'],
                         capture_output=True, text=True, check=True)
    for row in csv.DictReader(io.StringIO(run.stdout)):
        if row['choice'] == 'chosen':
            return [row['pipe'], row['outlet'], row['chosen_by']]
    return None


def by_both(driver):
    """Types the example of chosen_by_both into the page, the section open, and reads the strip's
    pipe, the outlet and the section's line."""
    open_drop_section(driver)
    Select(driver.find_element('id', 'series')).select_by_value('pe-sdr11')
    for field, text in {'TP': '0.005', 'TV': '10', 'TD': '', 'TM': '50', 'drop_length': '',
                        'drop_temperature': '15', 'drop_max_drop': ''}.items():
        driver.execute_script('arguments[0].value = arguments[1]',
                              driver.find_element('id', field), text)
    driver.find_element('id', 'dia').click()
    driver.find_element('id', 'drop_length').send_keys('200')
    driver.find_element('id', 'drop_max_drop').send_keys('1')  # the strip follows it
    return driver.execute_script("""return [
        document.getElementById('pipeText').textContent.split('×')[0],
        document.getElementById('drop_outlet').value,
        document.getElementById('dropText').textContent];""")


# The fields in the order they stack on a phone, the pressure drop's below the window's.
PHONE_FIELDS = ['TP', 'TV', 'TD', 'TM', 'drop_length', 'drop_temperature', 'drop_max_drop',
                'drop_outlet']
PHONE_LAYOUT = """const fields = arguments[0];
  const ids = [...fields, 'CMD1', 'CMD2', 'dia', 'CMD3', 'series', 'dropToggle'];
  const boxes = ids.map(id => document.getElementById(id).getBoundingClientRect());
  const inputs = [...document.querySelectorAll('input, select')];
  return {
    small: ids.filter((id, i) => boxes[i].height < 44),
    smallType: inputs.filter(e => parseFloat(getComputedStyle(e).fontSize) < 16).map(e => e.id),
    stacked: fields.slice(1).every((id, i) => boxes[i].bottom <= boxes[i + 1].top),
    fits: document.documentElement.scrollWidth <= innerWidth,
    whole: document.getElementById('window').getBoundingClientRect().width >= innerWidth - 1,
  };"""


def open_drop_section(driver):
    """Opens the pressure-drop section, which may have been left open."""
    if driver.execute_script("return document.getElementById('dropSection').hidden"):
        driver.find_element('id', 'dropToggle').click()


def check_phone(driver, results, url):
    """On a phone of 320 to 400 px the frames stack across the screen, the pressure drop's
    below, every field and button is at least 44 px high with 16 px text, and a real tap on
    each field puts the focus in it."""
    for width in (320, 360, 400):
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': width, 'height': 740, 'deviceScaleFactor': 2,
                                'mobile': True})
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True})
        browser.open_page(driver, url)
        open_drop_section(driver)
        layout = driver.execute_script(PHONE_LAYOUT, PHONE_FIELDS)
        results.check(layout == {'small': [], 'smallType': [], 'stacked': True, 'fits': True,
                                 'whole': True}, f'phone layout at {width} px: {layout}')
        for field in PHONE_FIELDS + ['series']:
            driver.find_element('id', field).click()
            results.check(active_id(driver) == field,
                          f'a tap on {field} at {width} px focuses {active_id(driver)!r}')
        driver.find_element('id', 'CMD2').click()  # empty fields: asks for the diameter
        results.check(driver.execute_script(OPEN_DIALOG) is not None, f'tap on CMD2 at {width} px')
        close_dialog(driver)
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})


# axe-core's rules the page is held to, run on the document: the violations, with where.
AXE_RUN = """const done = arguments[arguments.length - 1];
    axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa',
                                 'best-practice']})
       .then(r => done(r.violations.map(v => v.id + ' ' + v.nodes.map(n => n.target))));"""


def check_accessible(driver, results, url, axe):
    """axe-core finds nothing against WCAG 2.2 AA and its best practices, on the desktop's
    window with a result, its strip and the pressure drop open, and on a phone."""
    if not axe.is_file():
        results.check(False, f'axe-core: {axe} is missing (npm install axe-core)')
        return
    source = axe.read_text(encoding='utf-8')
    for width in (1280, 360):
        driver.set_window_size(width, 800)
        browser.open_page(driver, url)
        for field, text in {'TP': '0.3', 'TV': '10', 'TM': '1000'}.items():
            driver.execute_script('arguments[0].value = arguments[1]',
                                  driver.find_element('id', field), text)
        driver.find_element('id', 'dia').click()
        open_drop_section(driver)
        driver.find_element('id', 'drop_length').send_keys('1000')
        driver.execute_script(source)
        violations = driver.execute_async_script(AXE_RUN)
        results.check(not violations, f'axe at {width} px: {violations}')


# A calculation the moment the page is ready, before the core has been compiled: the click
# compiles it, and the words the page handed it beforehand apply to that very answer.
CLICK_AT_READY = '''
new MutationObserver((changes, observer) => {
  if (!document.documentElement.hasAttribute('data-ready')) return;
  observer.disconnect();
  window.coreBeforeClick = typeof Module.asm;
  for (const [id, text] of [['TP', '0.3'], ['TV', '10'], ['TM', '1000']]) {
    document.getElementById(id).value = text;
  }
  document.getElementById('dia').click();
  window.firstBasis = document.getElementById('basisText').textContent;
}).observe(document, {subtree: true, attributes: true, attributeFilter: ['data-ready']});
'''


def check_english(results, url, tarnivel):
    """A browser that asks for English gets the window's English, the core's words included,
    in the pressure-drop section too, from the first calculation on."""
    driver = browser.start(language='en-US')
    try:
        driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': CLICK_AT_READY})
        browser.open_page(driver, url)
        first = driver.execute_script('return [window.coreBeforeClick, window.firstBasis]')
        results.check(first == ['undefined', 'absolute 0.4 MPa · line flow 250 m³/h'],
                      f'a calculation at ready: {first}')
        texts = driver.execute_script("""return [document.documentElement.lang, document.title,
            document.getElementById('TP-caption').textContent,
            document.getElementById('CMD3').textContent,
            document.getElementById('seriesLabel').textContent];""")
        results.check(texts == ['en', 'Tarnivel 1.0', 'Pressure (MPa)', 'Exit', 'Pipe series'],
                      f'English page: {texts}')
        for field, text in {'TP': '0.3', 'TV': '10', 'TM': '1000'}.items():
            driver.execute_script('arguments[0].value = arguments[1]',
                                  driver.find_element('id', field), text)
        driver.find_element('id', 'dia').click()
        basis = driver.find_element('id', 'basisText').text
        results.check(basis == 'absolute 0.4 MPa · line flow 250 m³/h', f'English strip: {basis!r}')
        open_drop_section(driver)
        driver.find_element('id', 'drop_max_drop').send_keys('0.0001')
        driver.find_element('id', 'drop_length').send_keys('1000')
        drop = driver.execute_script("""return [document.getElementById('dropToggle').textContent,
            ...['drop_length', 'drop_outlet'].map(id =>
                document.getElementById(id + '-caption').textContent),
            document.getElementById('dropText').textContent];""")
        results.check(drop == ['Drop', 'Length (m)', 'Outlet (MPa)',
                               'no pipe in SDR11 loses at most 0.0001\u00a0kPa: no outlet pressure'],
                      f'English section: {drop}')
        pipe, outlet, check = chosen_by_both(tarnivel)
        shown = by_both(driver)
        results.check(shown[:2] == [pipe, outlet] and check == 'pressure drop' and
                      shown[2].startswith('decided by pressure drop · bore 61.4\u00a0mm · drop '),
                      f'English section by both checks: {shown}, command line {pipe} {outlet}')
        driver.find_element('id', 'TD').clear()
        driver.find_element('id', 'CMD1').click()
        dialog = driver.execute_script(OPEN_DIALOG)
        results.check(dialog == ['Ovrin', 'Please enter the bore diameter.', False, 1],
                      f'English prompt: {dialog}')
    finally:
        driver.quit()


def check_drop(driver, results, tarnivel, url):
    """The pressure-drop section: closed at first and after the chooser in the tab order, its
    fields after it; open, the outlet of the strip's pipe as `tarnivel drop` prints it, the gas
    running out said, and nothing once a field has changed."""
    driver.execute_script('localStorage.clear()')
    browser.open_page(driver, url)
    state = "return [document.getElementById('dropSection').hidden, document.getElementById('client').offsetHeight]"
    closed = driver.execute_script(state)
    results.check(closed == [True, 207], f'drop section at first: {closed}')
    driver.find_element('id', 'series').send_keys(Keys.TAB)
    results.check(active_id(driver) == 'dropToggle', f'after the chooser: {active_id(driver)!r}')
    ActionChains(driver).send_keys(Keys.SPACE).perform()
    results.check(driver.execute_script(state)[0] is False, 'the toggle opens the section')
    order = []
    for _ in range(3):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        order.append(active_id(driver))
    results.check(order == ['drop_length', 'drop_temperature', 'drop_max_drop'],
                  f'tab order in the section: {order}')
    Select(driver.find_element('id', 'series')).select_by_value('pe-sdr11')
    for field, text in {'TP': '0.3', 'TV': '10', 'TD': '', 'TM': '1000'}.items():
        driver.execute_script('arguments[0].value = arguments[1]',
                              driver.find_element('id', field), text)
    driver.find_element('id', 'dia').click()  # de125, bore 102.2 mm
    for length in ['100000', '1000']:
        box = driver.find_element('id', 'drop_length')
        box.clear()
        box.send_keys(length)
        run = subprocess.run([tarnivel, 'drop', '-p', '0.3', '-q', '1000', '-d', '102.2', '-l', length,
                              '--series', 'pe-sdr11'], capture_output=True, text=True, check=False)
        shown = [driver.find_element('id', 'drop_outlet').get_property('value'),
                 driver.find_element('id', 'dropText').text]
        reach = run.stderr.split(' at ')[-1].split('.')[0] if run.returncode == 3 else None
        results.check(shown[0] == run.stdout.strip() and (reach is None or reach in shown[1]),
                      f'drop over {length} m: page {shown}, command line {run.returncode} '
                      f'{run.stdout.strip()!r} {run.stderr.strip()!r}')
    driver.find_element('id', 'TM').send_keys('0')
    shown = [driver.find_element('id', 'drop_outlet').get_property('value'),
             driver.find_element('id', 'dropText').text]
    results.check(shown == ['', '计算后显示管道末端的压力'], f'drop once a field changed: {shown}')
    pipe, outlet, check = chosen_by_both(tarnivel)
    shown = by_both(driver)
    results.check(shown[:2] == [pipe, outlet] == ['de75', '0.00424824975298502'] and
                  check == 'pressure drop' and shown[2].startswith('按压降选管 · 内径 61.4\u00a0mm'),
                  f'drop by both checks: {shown}, command line {pipe} {outlet} {check}')
    driver.find_element('id', 'dropToggle').click()
    results.check(driver.execute_script(state) == closed, 'the toggle closes the section')
    # Left open, it is open again by the time the reopened page is first drawn.
    driver.find_element('id', 'dropToggle').click()
    browser.open_page(driver, url)
    drawn = driver.execute_script('return new Promise((done) => requestAnimationFrame(() => '
                                  f'setTimeout(() => done((() => {{ {state} }})()))))')
    results.check(drawn == [False, 360], f'drop section reopened: {drawn}')


# The courtyard line: a regulator in the yard, the yard, a branch and a riser, sized in SDR11.
COURTYARD = [['regulator-yard', '40', '60', '', '', '', '', '', ''],
             ['yard', '35', '40', '', '', '', '', '', ''],
             ['branch', '25', '20', '', '', '', '', '', ''],
             ['riser', '12', '8', '', '', '', '', '12', '']]
LINE_COLUMNS = ['segment', 'length', 'flow', 'bore', 'series', 'pipe', 'roughness', 'rise', 'local']
LINE_OPTIONS = {'line_max_drop': '--max-drop', 'line_appliance_pressure': '--appliance-pressure',
                'line_local': '--local', 'line_temperature': '--temperature'}


def segments_csv(rows):
    out = io.StringIO()
    csv.writer(out, lineterminator='\n').writerows([LINE_COLUMNS, *rows])
    return out.getvalue()


def random_line(seed):
    """A line of 1-6 segments at low or medium pressure, some sized in a series, some bored."""
    rng = random.Random(seed)
    low = rng.random() < 0.5
    parameters = {'inlet': f'{rng.uniform(0.0015, 0.005):.4f}' if low else
                  f'{rng.uniform(0.02, 0.4):.3f}', 'series': rng.choice(['pe-sdr11', 'steel', ''])}
    if low and rng.random() < 0.5:
        parameters['line_appliance_pressure'] = rng.choice(['1000', '2000', '2800'])
    elif rng.random() < 0.7:
        parameters['line_max_drop'] = f'{rng.uniform(0.3, 1.5) if low else rng.uniform(5, 60):.2f}'
    rows = []
    for i in range(rng.randint(1, 6)):
        bore = f'{rng.uniform(20, 150):.1f}' if rng.random() < 0.3 else ''
        given = '' if bore or parameters['series'] and rng.random() < 0.5 else \
            rng.choice(['pe-sdr11', 'pe-sdr17', 'steel'])
        rows.append([f's{i + 1}', f'{rng.uniform(2, 200):.1f}', f'{rng.uniform(1, 300):.1f}',
                     bore, given, '', '', rng.choice(['', '', '3', '-2.5', '12']),
                     rng.choice(['', '', '15'])])
    return parameters, rows


def line_in_page(driver, parameters, rows):
    """The page's answer for the line: (pipes shown, totals, check, CSV offered for download)."""
    with tempfile.NamedTemporaryFile('w', suffix='.csv', delete=False, encoding='utf-8') as file:
        file.write(segments_csv(rows))
    if driver.execute_script("return document.getElementById('lineSection').hidden"):
        driver.find_element('id', 'lineToggle').click()
    for box, text in {'lineInlet': parameters['inlet'], **{id: parameters.get(id, '')
                      for id in ('line_max_drop', 'line_appliance_pressure')}}.items():
        element = driver.find_element('id', box)
        element.clear()
        if text:
            element.send_keys(text)
    Select(driver.find_element('id', 'lineSeries')).select_by_value(parameters['series'])
    driver.find_element('id', 'lineFile').send_keys(file.name)
    WebDriverWait(driver, 5).until(lambda d: d.execute_script(
        "return document.querySelectorAll('#lineSection tbody tr').length") == len(rows))
    pathlib.Path(file.name).unlink()
    return driver.execute_script("""return [
        [...document.querySelectorAll('#lineSection td[data-output="pipe"]')].map(td => td.textContent),
        document.getElementById('lineCheck').textContent,
        document.getElementById('lineCheck').className,
        decodeURIComponent((document.getElementById('lineSave').getAttribute('href') || ',').split(',').slice(1).join(','))];""")


def line_by_command(tarnivel, parameters, rows, *more):
    with tempfile.NamedTemporaryFile('w', suffix='.csv', delete=False, encoding='utf-8') as file:
        file.write(segments_csv(rows))
    args = [tarnivel, 'line', '-p', parameters['inlet'], *more]
    if parameters['series']:
        args += ['--series', parameters['series']]
    for box, option in LINE_OPTIONS.items():
        if parameters.get(box):
            args += [option, parameters[box]]
    run = subprocess.run(args + [file.name], capture_output=True, text=True, check=False)
    pathlib.Path(file.name).unlink()
    return run


def check_line(driver, results, tarnivel, url, axe):
    """The line section: closed at first, the courtyard line's pipes and total drop as
    `tarnivel line` prints them, seeded random lines digit for digit with its --csv, rows moved
    by keyboard, and axe-core with the section open."""
    driver.set_window_size(1280, 900)
    browser.open_page(driver, url)
    results.check(driver.execute_script("return document.getElementById('lineSection').hidden"),
                  'line section closed at first')
    driver.find_element('id', 'lineToggle').click()
    blank = driver.execute_script("""return [document.getElementById('lineCheck').textContent,
        document.getElementById('lineSave').hasAttribute('href')]""")
    results.check(blank == ['', False], f'line section opened blank: {blank}')
    courtyard = {'inlet': '0.002', 'series': 'pe-sdr11', 'line_appliance_pressure': '2000'}
    pipes, totals, check, text = line_in_page(driver, courtyard, COURTYARD)
    table = line_by_command(tarnivel, courtyard, COURTYARD).stdout
    total = next(line.split(None, 2)[2] for line in table.splitlines()
                 if line.startswith('total drop'))
    results.check(pipes == ['de63*', 'de63*', 'de50*', 'de32*'] and check == 'passed' and
                  total in totals.replace('\xa0', ' '),
                  f'courtyard: {pipes} {totals!r} {check}, command line {total}')
    results.check(text == line_by_command(tarnivel, courtyard, COURTYARD, '--csv').stdout,
                  f'courtyard CSV: {text!r}')
    for seed in range(8):
        parameters, rows = random_line(seed)
        run = line_by_command(tarnivel, parameters, rows, '--csv')
        pipes, totals, check, text = line_in_page(driver, parameters, rows)
        if run.stdout:
            results.check(text == run.stdout and check == ('passed' if run.returncode == 0
                                                           else 'failed'),
                          f'line {seed}: page {text!r} {check}, command line {run.stdout!r} '
                          f'{run.returncode}')
        else:  # a fault: said in the page, nothing to download
            results.check(text == '' and check == 'failed', f'line {seed}: page {text!r} {check}'
                          f', command line {run.stderr!r}')
    # The keyboard moves the first segment down, and focus stays with its button.
    line_in_page(driver, courtyard, COURTYARD)
    driver.find_element('css selector', '#lineSection tbody tr button[data-action="下移"]').send_keys(
        Keys.ENTER)
    names = driver.execute_script("""return [...document.querySelectorAll(
        '#lineSection tbody input[data-column="segment"]')].map(box => box.value);""")
    results.check(names[:2] == ['yard', 'regulator-yard'], f'a row moved down: {names}')
    if axe.is_file():
        driver.execute_script(axe.read_text(encoding='utf-8'))
        for width in (1280, 400):
            driver.set_window_size(width, 900)
            violations = driver.execute_async_script(AXE_RUN)
            results.check(not violations, f'axe with the line open at {width} px: {violations}')
    # An English browser names the section and its columns in English, from the core's names.
    english = browser.start(1280, 900, language='en-US')
    try:
        browser.open_page(english, url)
        english.find_element('id', 'lineToggle').click()
        words = english.execute_script("""return [document.getElementById('lineToggle').textContent,
            ...[...document.querySelectorAll('#lineSection thead th')].slice(0, 3).map(th => th.textContent)];""")
        results.check(words == ['Line', 'Segment', 'Length (m)', 'Flow (Nm\u00b3/h)'],
                      f'line section in English: {words}')
        said = line_in_page(english, courtyard, COURTYARD)[1]
        results.check(said.startswith('Total drop ') and not re.search('[\u3000-\u9fff]', said),
                      f'the courtyard\'s check in English: {said!r}')
    finally:
        english.quit()


def sheet_text(driver, link):
    """The HTML the link downloads: the blob the page makes as it is clicked, kept on its way
    to an address (a blob of a page opened from disk cannot be fetched back)."""
    driver.execute_script(f"""window.sheetBlob = null;
        const make = URL.createObjectURL;
        URL.createObjectURL = (blob) => {{ window.sheetBlob = blob; return make(blob); }};
        document.getElementById('{link}').addEventListener('click', (e) => e.preventDefault());""")
    driver.find_element('id', link).click()
    return driver.execute_async_script("""const done = arguments[arguments.length - 1];
        if (!window.sheetBlob) done(null);
        else window.sheetBlob.text().then(done);""")


def check_sheet(driver, results, tarnivel, url):
    """The calculation sheet: none before a diameter calculation, then the very HTML `tarnivel
    pipe --sheet` writes for the strip's pipe, opened in a tab of its own; the line's sheet
    holds the line's total drop."""
    browser.open_page(driver, url)
    driver.find_element('css selector', '#sheet summary').click()
    driver.find_element('id', 'sheetProject').send_keys('P-7')
    results.check(sheet_text(driver, 'pipeSheetSave') is None and
                  driver.find_element('id', 'sheetNote').text != '', 'no sheet before a diameter')
    for box, text in (('TP', '0.3'), ('TV', '10'), ('TM', '1000')):
        driver.find_element('id', box).clear()
        driver.find_element('id', box).send_keys(text)
    driver.find_element('id', 'dia').click()
    page = sheet_text(driver, 'pipeSheetSave')
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / 'pipe.html'
        subprocess.run([tarnivel, 'pipe', '-p', '0.3', '-v', '10', '-q', '1000', '-s', 'pe-sdr11',
                        '--project', 'P-7', '--sheet', str(path)], capture_output=True, check=False)
        results.check(page == path.read_text(encoding='utf-8'),
                      'the page\'s pipe sheet is the command line\'s')
    tabs = len(driver.window_handles)
    driver.find_element('id', 'pipeSheetOpen').click()
    WebDriverWait(driver, 5).until(lambda d: len(d.window_handles) == tabs + 1)
    results.check(True, 'the sheet opens in a tab of its own')
    driver.switch_to.window(driver.window_handles[0])
    csv_text = line_in_page(driver, {'inlet': '0.002', 'series': 'pe-sdr11',
                                     'line_appliance_pressure': '2000'}, COURTYARD)[3]
    outlets = [row['outlet'] for row in csv.DictReader(io.StringIO(csv_text))]
    text = sheet_text(driver, 'lineSheetSave') or ''
    results.check('<script' not in text and '计算书' in text and outlets and
                  all(outlet in text for outlet in outlets), f'the line\'s sheet: {outlets}')


def check_served(driver, results, page):
    """Served by a plain static web server on this machine, it computes too."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=page.parent)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        browser.open_page(driver, f'http://127.0.0.1:{server.server_port}/{page.name}')
        driver.find_element('id', 'CMD2').click()  # empty fields: asks for the diameter
        results.check(driver.execute_script(OPEN_DIALOG) == ['Ovrin', '请输入流通直径', False, 1],
                      'served over HTTP: the prompt')
        close_dialog(driver)
    finally:
        server.shutdown()


def check_ascii(results, page):
    """The file is plain ASCII (make_page.py): one byte beyond it and the browser reads the whole
    page, the WebAssembly's base64 included, as 16-bit text, which delays ready."""
    beyond = sum(byte > 0x7f for byte in page.read_bytes())
    results.check(beyond == 0, f'{beyond} bytes beyond ASCII in the page')


def check_exit(driver, results):
    """退  出 ends the page: the browser closes it, or it is left blank."""
    driver.find_element('id', 'CMD3').click()
    try:
        WebDriverWait(driver, 2).until(
            lambda d: not d.window_handles or d.current_url == 'about:blank')
        results.check(True, 'exit')
    except TimeoutException:
        results.check(False, f'exit: still at {driver.current_url}')


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    tarnivel = sys.argv[2]
    axe = pathlib.Path(sys.argv[3] if len(sys.argv) > 3 else
                       page.parent.parent / 'npm/node_modules/axe-core/axe.min.js')
    results = Results()
    driver = browser.start()

    def guarded(name, check, *args):  # a check that throws fails, and the others still run
        try:
            check(*args)
        except Exception as error:  # pylint: disable=broad-except
            results.check(False, f'{name}: {type(error).__name__}: {error}'.splitlines()[0])

    def no_strangers():
        strangers = [url for url in browser.requested_urls(driver)
                     if url != page.as_uri() and not url.startswith('data:')]
        results.check(not strangers, f'requests beyond the page: {strangers}')
        errors = [entry['message'][:200] for entry in driver.get_log('browser')
                  if entry['level'] == 'SEVERE']
        results.check(not errors, f'errors in the console: {errors}')

    try:
        guarded('ASCII', check_ascii, results, page)
        guarded('loading', browser.open_page, driver, page.as_uri())
        guarded('keyboard', check_keyboard, driver, results)
        for calculation, texts in read_cases(pathlib.Path(__file__).with_name('cases.txt')):
            guarded(f'{calculation} {texts}', check_case, driver, results, tarnivel, calculation,
                    texts)
        guarded('strip', check_strip, driver, results, tarnivel)
        guarded('drop', check_drop, driver, results, tarnivel, page.as_uri())
        guarded('whole result', check_whole_result, driver, results)
        guarded('requests and console', no_strangers)
        guarded('phone', check_phone, driver, results, page.as_uri())
        guarded('accessible', check_accessible, driver, results, page.as_uri(), axe)
        guarded('English', check_english, results, page.as_uri(), tarnivel)
        guarded('line', check_line, driver, results, tarnivel, page.as_uri(), axe)
        guarded('sheet', check_sheet, driver, results, tarnivel, page.as_uri())
        guarded('served', check_served, driver, results, page)
        guarded('exit', check_exit, driver, results)
    finally:
        driver.quit()
    print(f'web: {results.passed} passed, {results.failed} failed')
    return 1 if results.failed else 0


if __name__ == '__main__':
    sys.exit(main())
