#!/usr/bin/env python3
"""The browser page's size and its time from navigation to ready for input, in headless
Chromium, beside a blank page that marks itself ready at once: the floor a page can reach in
the same browser.

Both are timed by the browser's own clock: an observer installed before each document starts
notes performance.now() when the root element gets data-ready. Loads alternate between the
two pages, so that drift in the machine's load hits both alike.

    web_ready.py PAGE.html [LOADS]
"""
import os
import pathlib
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'web'))
import browser  # noqa: E402

# Runs before any script of the document: notes when data-ready appears on the root element.
READY_OBSERVER = '''
new MutationObserver((changes, observer) => {
  if (document.documentElement && document.documentElement.hasAttribute('data-ready')) {
    window.readyAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {subtree: true, childList: true, attributes: true,
                      attributeFilter: ['data-ready']});
'''

BLANK_PAGE = ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>blank</title>'
              "<script>document.documentElement.setAttribute('data-ready', '')</script>"
              '</head><body></body></html>\n')


def summary(label, times):
    times = sorted(times)
    print(f'  {label:21s}median {statistics.median(times):6.1f} ms   min {times[0]:6.1f}'
          f'   max {times[-1]:6.1f}')
    return statistics.median(times)


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    print(f'  file size            {os.path.getsize(page) / 1024:7.1f} KB   (target: under 250 KB)')
    with tempfile.TemporaryDirectory() as folder:
        blank = pathlib.Path(folder) / 'blank.html'
        blank.write_text(BLANK_PAGE, encoding='utf-8')
        driver = browser.start()
        times = {page: [], blank: []}
        try:
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                   {'source': READY_OBSERVER})
            for _ in range(loads + 1):  # the first load of each warms the browser, not counted
                for url in (page, blank):
                    driver.get('about:blank')
                    browser.open_page(driver, url.as_uri())
                    times[url].append(driver.execute_script('return window.readyAt'))
        finally:
            driver.quit()
    ready = summary('navigation to ready', times[page][1:])
    floor = summary('blank page to ready', times[blank][1:])
    print(f'  ready / blank        {ready / floor:6.2f} x   ({loads} loads each, in turn;'
          ' target: at most 1.5)')


if __name__ == '__main__':
    main()
