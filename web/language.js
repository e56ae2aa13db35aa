// The page's language: Chinese or English, chosen from the browser's languages as the window
// chooses from the system's, and the lookup of a Chinese text's English (TARNIVEL_ENGLISH,
// written from the window's catalogues into dictionary.js when the page is built).
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

const tarnivelLanguage = (function () {
  // The first Chinese or English language of the list decides; none of them, English; no list
  // at all, Chinese.
  function chooseEnglish(languages) {
    for (const name of languages) {
      const language = name.split(/[-_]/)[0].toLowerCase();
      if (language === 'zh') return false;
      if (language === 'en') return true;
    }
    return languages.length > 0;
  }
  const ENGLISH = chooseEnglish(navigator.languages || [navigator.language || '']);
  // The window's texts are Chinese; their English comes from its catalogues. 确定 is the
  // message box's own button, which the window takes from Qt's catalogue.
  const WORDS = Object.assign({'确定': 'OK'},
                              typeof TARNIVEL_ENGLISH === 'object' ? TARNIVEL_ENGLISH : {});
  function tr(text) { return ENGLISH && WORDS[text] !== undefined ? WORDS[text] : text; }

  // The document's own words (those marked data-words) in the page's language, and the root's
  // language to match; the page's title is the core's, written in by make_page.py.
  function translateDocument() {
    // Only when it changes: writing the root's language, even the same one, makes the browser
    // redo the whole document's style and fonts before the page can say it is ready.
    const lang = ENGLISH ? 'en' : 'zh-CN';
    if (document.documentElement.lang !== lang) document.documentElement.lang = lang;
    for (const element of document.querySelectorAll('[data-words]')) {
      element.textContent = tr(element.textContent);
    }
  }

  return {tr: tr, translateDocument: translateDocument};
})();
