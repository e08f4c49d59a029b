// Starts the core and carries calls to it: in a worker made from the inlined
// module source and the dispatcher, so that decoding a picture never holds
// up the page, or on the page's thread where no worker can be made (some
// browsers refuse workers to pages opened from the disk).
'use strict';

const TaviBridge = (() => {
  const waiting = new Map();
  let sequence = 0;
  let send = null;

  function source() {
    const text = (id) => (document.getElementById(id) || {}).textContent || '';
    return text('tavi-core') + '\n;\n' + text('tavi-dispatcher') + '\n';
  }

  function receive(message) {
    const resolve = waiting.get(message.seq);
    waiting.delete(message.seq);
    if (resolve) resolve(message);
  }

  function startWorker(code) {
    return new Promise((resolve) => {
      let worker;
      const url = URL.createObjectURL(new Blob([code], {type: 'text/javascript'}));
      const give = (ok) => {
        URL.revokeObjectURL(url);
        if (!ok && worker) worker.terminate();
        resolve(ok ? worker : null);
      };
      try {
        worker = new Worker(url);
      } catch (e) {
        give(false);
        return;
      }
      worker.onerror = (event) => {
        event.preventDefault();
        give(false);
      };
      worker.onmessage = (event) => {
        if (event.data.seq !== undefined) return receive(event.data);
        worker.onerror = (later) => later.preventDefault();
        give(Boolean(event.data.ready));
      };
    });
  }

  function startHere(code) {
    return new Promise((resolve) => {
      let dispatcher = null;
      window.taviStartHere = (make) => {
        dispatcher = make((message) => {
          if (message.seq !== undefined) return receive(message);
          resolve(message.ready ? (request) => setTimeout(() => dispatcher.handle(request)) : null);
        });
        dispatcher.start();
      };
      const script = document.createElement('script');
      script.textContent = code + ';taviStartHere(taviDispatcher);';
      const quiet = (event) => event.preventDefault();
      window.addEventListener('error', quiet);
      document.body.appendChild(script);
      window.removeEventListener('error', quiet);
      if (!dispatcher) resolve(null);
    });
  }

  // Resolves to where the core runs, 'worker' or 'page', or to null where
  // it cannot be started.
  async function start() {
    const code = source();
    const worker = typeof Worker === 'function' ? await startWorker(code) : null;
    if (worker) {
      worker.onmessage = (event) => receive(event.data);
      send = (request, transfer) => worker.postMessage(request, transfer);
      return 'worker';
    }
    const here = await startHere(code);
    if (!here) return null;
    send = (request) => here(request);
    return 'page';
  }

  // Calls tavi_NAME with ARG; FILES ({name, relative, data}) are written
  // under /incoming/ first. Resolves to {arg, reply, downloads, previews}
  // or {error}.
  function call(name, arg, files) {
    sequence += 1;
    const seq = sequence;
    const transfer = files ? files.map((file) => file.data) : [];
    return new Promise((resolve) => {
      waiting.set(seq, resolve);
      send({seq, name, arg, files}, transfer);
    });
  }

  function ready() {
    return send !== null;
  }

  return {start, call, ready};
})();
