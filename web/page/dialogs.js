// The editor's message boxes as modal <dialog>s, one at a time: a message
// with OK, a question with はい and いいえ (はい the default button). Escape
// answers OK, or いいえ. Each box is its own <dialog>, removed once closed.
'use strict';

const TaviDialogs = (() => {
  let title = 'Tavi';
  let queue = Promise.resolve();

  function setTitle(text) {
    title = text;
  }

  function textLines(text) {
    const body = document.createElement('div');
    body.className = 'box-text';
    for (const line of String(text).split(/\r?\n/)) {
      const row = document.createElement('div');
      row.textContent = line || '\u00a0';
      body.appendChild(row);
    }
    return body;
  }

  function open(text, buttons, escapeValue) {
    return new Promise((resolve) => {
      const box = document.createElement('dialog');
      box.className = 'box';
      // The caption is drawn by the style sheet, so that the box's text is
      // the message's alone.
      box.dataset.title = title;
      box.setAttribute('aria-label', title);
      const body = textLines(text);
      const row = document.createElement('div');
      row.className = 'box-buttons';
      let answer = escapeValue;
      for (const button of buttons) {
        const element = document.createElement('button');
        element.type = 'button';
        element.textContent = button.label;
        element.addEventListener('click', () => {
          answer = button.value;
          box.close();
        });
        row.appendChild(element);
      }
      box.append(body, row);
      box.addEventListener('cancel', () => {
        answer = escapeValue;
      });
      box.addEventListener('close', () => {
        box.remove();
        resolve(answer);
      });
      document.body.appendChild(box);
      box.showModal();
      row.firstChild.focus();
    });
  }

  // Each box waits until the one before it has closed.
  function enqueue(show) {
    const shown = queue.then(show);
    queue = shown.then(() => undefined);
    return shown;
  }

  function message(text) {
    return enqueue(() => open(text, [{label: 'OK', value: true}], true));
  }

  function question(text) {
    return enqueue(() =>
      open(text, [{label: 'はい', value: true}, {label: 'いいえ', value: false}], false));
  }

  return {setTitle, message, question};
})();
