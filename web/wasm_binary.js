// The core's WebAssembly comes from the page itself (see make_page.py), decoded at once so
// that emscripten compiles it without asking the network stack for anything.
Module.wasmBinary = (function () {
  const element = document.getElementById('wasm');
  const encoded = element.content.textContent;  // the parser may split it in several texts
  element.remove();  // 90 KB of text the document no longer needs
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(encoded);  // native: a tenth the time
  const text = atob(encoded);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
})();
