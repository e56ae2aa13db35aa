#!/usr/bin/env python3
"""The browser page's size and its time from navigation to ready for input, in headless
Chromium: the page marks 'tarnivel-ready' when it sets data-ready.

    web_ready.py PAGE.html [LOADS]
"""
import os
import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'web'))
import browser  # noqa: E402


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    print(f'  file size            {os.path.getsize(page) / 1024:7.1f} KB   (target: under 250 KB)')
    driver = browser.start()
    times = []
    try:
        for _ in range(loads + 1):  # the first load warms the browser, and is not counted
            driver.get('about:blank')
            browser.open_page(driver, page.as_uri())
            times.append(driver.execute_script(
                "return performance.getEntriesByName('tarnivel-ready')[0].startTime"))
    finally:
        driver.quit()
    times = sorted(times[1:])
    print(f'  navigation to ready  median {statistics.median(times):6.1f} ms   min {times[0]:6.1f}'
          f'   max {times[-1]:6.1f}   ({loads} loads; target: under 150 ms)')


if __name__ == '__main__':
    main()
