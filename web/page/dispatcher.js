// Runs the core module for the page, in a worker or on the page's thread.
// It follows the core module's source in one script. Each request names a
// tavi_* call and its argument; files the page sends along are written
// under /incoming/N/NAME first and named in the argument's "files". The
// answer carries the parsed reply, the bytes of its downloads and the RGBA
// pixels of every preview whose version changed since the last answer.
'use strict';

function taviDispatcher(post) {
  const versions = new Map();
  let core = null;
  let counter = 0;
  let pending = [];

  function writeFiles(files) {
    return files.map((file) => {
      counter += 1;
      const folder = '/incoming/' + counter;
      core.FS.mkdirTree(folder);
      const path = folder + '/' + file.name;
      core.FS.writeFile(path, new Uint8Array(file.data));
      return {path, name: file.name, relative: file.relative || null};
    });
  }

  function removeFiles(files) {
    for (const file of files) {
      try {
        core.FS.unlink(file.path);
        core.FS.rmdir(file.path.slice(0, file.path.lastIndexOf('/')));
      } catch (e) {
        // Already gone: the core may have moved it into the working folder.
      }
    }
  }

  function readDownloads(reply, transfer) {
    const downloads = [];
    for (const download of reply.downloads || []) {
      const data = core.FS.readFile(download.path);
      transfer.push(data.buffer);
      downloads.push({name: download.name, data});
    }
    return downloads;
  }

  function readPreviews(state, transfer) {
    const pictures = [];
    for (const preview of (state && state.previews) || []) {
      if (versions.get(preview.slot) === preview.version) continue;
      versions.set(preview.slot, preview.version);
      const size = preview.width * preview.height * 4;
      let data = new Uint8ClampedArray(0);
      if (size > 0) {
        const at = core.ccall('tavi_preview_pixels', 'number', ['number'], [preview.slot]);
        data = new Uint8ClampedArray(core.HEAPU8.subarray(at, at + size));
      }
      transfer.push(data.buffer);
      pictures.push({slot: preview.slot, width: preview.width, height: preview.height, data});
    }
    return pictures;
  }

  function call(request) {
    const arg = Object.assign({}, request.arg);
    if (request.files) {
      arg.files = writeFiles(request.files);
      pending = pending.concat(arg.files);
    }
    const text = core.ccall('tavi_' + request.name, 'string', ['string'], [JSON.stringify(arg)]);
    const reply = JSON.parse(text);
    if (!reply.question) {
      removeFiles(pending);
      pending = [];
    }
    const transfer = [];
    const downloads = readDownloads(reply, transfer);
    const previews = readPreviews(reply.state, transfer);
    post({seq: request.seq, arg, reply, downloads, previews}, transfer);
  }

  function handle(request) {
    try {
      call(request);
    } catch (e) {
      post({seq: request.seq, error: String(e && e.message ? e.message : e)}, []);
    }
  }

  function start() {
    const silent = () => {};
    const failed = (e) => post({failed: String(e && e.message ? e.message : e)}, []);
    try {
      TaviCoreModule({print: silent, printErr: silent}).then((module) => {
        core = module;
        post({ready: true}, []);
      }, failed);
    } catch (e) {
      failed(e);
    }
  }

  return {handle, start};
}

if (typeof WorkerGlobalScope !== 'undefined' && self instanceof WorkerGlobalScope) {
  const dispatcher = taviDispatcher((message, transfer) => self.postMessage(message, transfer));
  self.onmessage = (event) => dispatcher.handle(event.data);
  dispatcher.start();
}
