// Wires the page: what a person does becomes a call of the core, and each
// reply is shown: the state, the downloads, the messages one at a time and
// the question, answered by calling again with the answer.
'use strict';

(() => {
  const root = document.getElementById('editor');
  const app = document.getElementById('app');
  const built = TaviEditor.build(root);
  const ui = built.main;
  const compose = built.compose;
  const pickers = [document.getElementById('open-files'), document.getElementById('open-folder')];
  const pickPicture = document.getElementById('pick-picture');
  let chain = Promise.resolve();
  let pickSlot = null;

  document.getElementById('caption').textContent = ui.caption;
  TaviView.attach(ui, root);
  TaviView.layout();

  function download(item) {
    const url = URL.createObjectURL(new Blob([item.data], {type: 'application/octet-stream'}));
    const link = document.createElement('a');
    link.href = url;
    link.download = item.name;
    link.hidden = true;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  async function show(answer) {
    const reply = answer.reply;
    TaviView.apply(reply.state, answer.previews);
    if (reply.state) pickers.forEach((picker) => { picker.disabled = !reply.state.ready; });
    if (reply.composeDone && compose.box.open) compose.box.close();
    (answer.downloads || []).forEach(download);
    for (const message of reply.messages || []) await TaviDialogs.message(message.text);
    return reply;
  }

  async function call(name, arg, files) {
    let answer = await TaviBridge.call(name, arg, files);
    for (;;) {
      if (answer.error) return null;
      const reply = await show(answer);
      if (!reply.question) return reply;
      const yes = await TaviDialogs.question(reply.question.text);
      answer = await TaviBridge.call(name, Object.assign({}, answer.arg, {answer: yes}));
    }
  }

  // Calls run one after another, each reply shown before the next call.
  function run(name, arg, files) {
    const done = chain.then(() => call(name, arg, files));
    chain = done.catch(() => null);
    return chain;
  }

  function readFiles(list, relativeOf) {
    return Promise.all(Array.from(list, async (file) => ({
      name: file.name, relative: relativeOf(file), data: await file.arrayBuffer(),
    })));
  }

  async function openFiles(list, relativeOf) {
    if (!list.length) return;
    try {
      run('open', {}, await readFiles(list, relativeOf));
    } catch (e) {
      // A file that cannot be read (gone, or refused by the browser) is left out.
    }
  }

  async function dropOnSlot(slot, list) {
    if (!list.length) return;
    try {
      run('drop', {slot, answer: null}, await readFiles(list, () => null));
    } catch (e) {
      // As above.
    }
  }

  pickers[0].addEventListener('change', () => {
    openFiles(pickers[0].files, () => null).then(() => { pickers[0].value = ''; });
  });
  pickers[1].addEventListener('change', () => {
    openFiles(pickers[1].files, (file) => file.webkitRelativePath || null)
      .then(() => { pickers[1].value = ''; });
  });

  ui.roomList.addEventListener('change', () => {
    run('select_room', {index: ui.roomList.selectedIndex});
  });
  ui.autoDisplay.addEventListener('change', () => {
    run('set_auto_display', {on: ui.autoDisplay.checked});
    ui.roomList.focus();
  });
  ui.buttons.display.addEventListener('click', () => run('display_parts', {}));
  ui.buttons.output.addEventListener('click', () => run('export', {}));
  ui.buttons.compose.addEventListener('click', () => {
    run('compose_open', {}).then((reply) => { if (reply && reply.compose) openCompose(reply.compose); });
  });
  for (const [comboId, select] of ui.combos) {
    select.addEventListener('change', () => run('choose', {comboId, entry: select.selectedIndex}));
  }

  function openCompose(data) {
    const options = (data.choices || []).map((choice) => {
      const option = document.createElement('option');
      option.value = choice;
      return option;
    });
    compose.choices.replaceChildren(...options);
    for (const key of Object.keys(compose.fields)) compose.fields[key].value = data[key] || '';
    compose.box.showModal();
    compose.fields.fileName.focus();
  }

  compose.form.addEventListener('submit', (event) => {
    event.preventDefault();
    const values = {};
    for (const key of Object.keys(compose.fields)) values[key] = compose.fields[key].value;
    run('compose_execute', Object.assign(values, {answer: null}));
  });
  compose.cancel.addEventListener('click', () => compose.box.close());

  // A long press of a finger on a preview picks a picture for it, on the
  // finger's release: only then may a page open a file picker.
  function holdToPick(canvas, pick) {
    let pressed = null;
    canvas.addEventListener('pointerdown', (event) => {
      pressed = event.pointerType === 'touch' ? event.timeStamp : null;
    });
    canvas.addEventListener('pointerup', (event) => {
      if (pressed !== null && event.timeStamp - pressed >= 500) pick();
      pressed = null;
    });
    for (const type of ['pointercancel', 'pointerleave']) {
      canvas.addEventListener(type, () => { pressed = null; });
    }
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
  }

  // Pictures for a preview: a drop onto it, or a file picked for it (a
  // double-click, a long press, or the small button shown on touch screens).
  for (const [slot, shot] of ui.previews) {
    const pick = () => {
      pickSlot = slot;
      pickPicture.click();
    };
    shot.pick.addEventListener('click', pick);
    shot.canvas.addEventListener('dblclick', pick);
    holdToPick(shot.canvas, pick);
  }
  pickPicture.addEventListener('change', () => {
    dropOnSlot(pickSlot, pickPicture.files).then(() => { pickPicture.value = ''; });
  });

  // A drop anywhere is the page's: the browser never navigates to it. The
  // preview under a drag is marked.
  let marked = null;
  const previewAt = (event) => (event.target instanceof Element ? event.target.closest('.preview') : null);
  const mark = (preview) => {
    if (marked === preview) return;
    if (marked) marked.classList.remove('drop-target');
    marked = preview;
    if (marked) marked.classList.add('drop-target');
  };
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    if (event.dataTransfer) event.dataTransfer.dropEffect = 'copy';
    mark(previewAt(event));
  });
  document.addEventListener('dragleave', (event) => {
    if (!event.relatedTarget) mark(null);
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    mark(null);
    if (!event.dataTransfer || !TaviBridge.ready()) return;
    const target = previewAt(event);
    const list = Array.from(event.dataTransfer.files);
    if (target && !target.hidden) dropOnSlot(Number(target.dataset.slot), list);
    else TaviDrop.collect(event.dataTransfer).then((files) => openFiles(files.list, files.relative));
  });

  // Ctrl+M is left to the page; Ctrl+D and Ctrl+W are the browser's.
  document.addEventListener('keydown', (event) => {
    if (!event.ctrlKey || event.altKey || event.shiftKey || event.key.toLowerCase() !== 'm') return;
    event.preventDefault();
    if (!document.querySelector('dialog[open]') && !ui.buttons.compose.disabled) {
      ui.buttons.compose.click();
    }
  });

  TaviBridge.start().then((where) => {
    app.removeAttribute('aria-busy');
    if (!where) return;
    app.dataset.core = where;
    run('start', {});
  });
})();
