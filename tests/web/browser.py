"""Headless Chromium for the page's tests and benchmark, kept offline.

Anything not on this machine goes to a closed port on it, and every request the page makes is
logged, so that a test can tell that the page asked for nothing.
"""
import json

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


def start(width=420, height=320, language='zh-CN'):
    """Chromium whose user asks for `language` first, as navigator.languages tells the page."""
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                     '--no-first-run', '--disable-background-networking', '--disable-sync',
                     '--disable-component-update', '--disable-default-apps',
                     '--proxy-server=http://127.0.0.1:9',  # nothing listens there
                     f'--window-size={width},{height}', f'--lang={language}',
                     f'--accept-lang={language}'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'performance': 'ALL'})
    options.add_experimental_option('prefs', {'intl.accept_languages': language})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def open_page(driver, url, timeout=10):
    """Navigates to the page and waits until it says it is ready for input."""
    driver.get(url)
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(
        "return document.documentElement.hasAttribute('data-ready')"))


def requested_urls(driver):
    """The addresses of every request the pages made since the last call."""
    urls = []
    for entry in driver.get_log('performance'):
        message = json.loads(entry['message'])['message']
        if message['method'] == 'Network.requestWillBeSent':
            urls.append(message['params']['request']['url'])
    return urls
