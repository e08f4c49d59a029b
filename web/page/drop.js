// What a drop onto the page brings: its files, and where a folder was
// dropped, the files inside it with their paths from that folder on (as a
// folder picker gives them), so that a dropped working folder opens whole.
'use strict';

const TaviDrop = (() => {
  function entriesOf(reader) {
    return new Promise((resolve, reject) => {
      const all = [];
      const more = () => reader.readEntries((batch) => {
        if (!batch.length) return resolve(all);
        all.push(...batch);
        more();
      }, reject);
      more();
    });
  }

  function fileOf(entry) {
    return new Promise((resolve, reject) => entry.file(resolve, reject));
  }

  async function walk(entry, found) {
    if (entry.isFile) {
      found.set(await fileOf(entry), entry.fullPath.replace(/^\//, ''));
    } else if (entry.isDirectory) {
      for (const child of await entriesOf(entry.createReader())) await walk(child, found);
    }
  }

  // Must be called while the drop event runs: its items are gone after it.
  async function collect(transfer) {
    const files = Array.from(transfer.files || []);
    const entries = Array.from(transfer.items || [], (item) =>
      (item.kind === 'file' && item.webkitGetAsEntry ? item.webkitGetAsEntry() : null));
    if (!entries.some((entry) => entry && entry.isDirectory)) {
      return {list: files, relative: () => null};
    }
    const found = new Map();
    for (const entry of entries) {
      if (!entry) continue;
      try {
        if (entry.isDirectory) await walk(entry, found);
        else found.set(await fileOf(entry), null);
      } catch (e) {
        // An entry the browser cannot read is left out.
      }
    }
    return {list: Array.from(found.keys()), relative: (file) => found.get(file) || null};
  }

  return {collect};
})();
