// The page's message boxes, modal with one button, in the <dialog id="message"> of shell.html:
// a fault titled Tarnivel, with the note to check the data, and a prompt titled Ovrin, each in
// the page's language.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

const tarnivelDialogs = (function () {
  const tr = tarnivelLanguage.tr;
  const dialog = document.getElementById('message');
  let afterDialog = null;
  dialog.addEventListener('close', () => {
    const then = afterDialog;
    afterDialog = null;
    if (then) then();
  });
  // `then` runs once the box is dismissed.
  function showMessage(title, text, detail, then) {
    document.getElementById('message-title').textContent = title;
    document.getElementById('message-text').textContent = text;
    document.getElementById('message-detail').hidden = !detail;
    afterDialog = then;
    dialog.showModal();
  }

  return {
    // A calculation that could not be done: the fields stay as it left them, to be corrected.
    fault: (text) => showMessage(tr('Tarnivel'), tr(text), true, null),
    // A calculation that needs one more field: `then` leads the user to it.
    prompt: (text, then) => showMessage(tr('Ovrin'), tr(text), false, then),
  };
})();
