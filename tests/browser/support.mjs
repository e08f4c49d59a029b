// What the browser tests and the benchmark share: where the page, tavipac
// and the core's reference helper are, Debian's Chromium with every request
// off the disk refused, the dialogs a person answers, and the files the
// tests make (working folders, PNG and BMP pictures, zip reading).
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, mkdirSync, readFileSync, readdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

export const ROOT = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const BUILD = process.env.TAVI_BUILD || join(ROOT, 'build');
export const PAGE = process.env.TAVI_PAGE || join(BUILD, 'web/Tavi.html');
export const NATIVE = join(BUILD, 'native');
export const TAVIPAC = join(NATIVE, 'tavipac/tavipac');
export const REFERENCE = process.env.TAVI_REFERENCE || join(NATIVE, 'tests/browser/tavi_browser_reference');
export const SAMPLE_ROOMS = join(NATIVE, 'sample/部屋');
export const ROOMS = ['mori.pac', 'sakura.pac', 'umi.pac'];
export const PREVIEW_SLOTS = [...Array(20).keys()].filter((slot) => slot !== 14);
export const LABELS = {
    rooms: '基本となる部屋を選択して下さい',
    autoDisplay: '選択と同時に部品表示する',
    files: '部屋データを開く',
    folder: 'フォルダを開く',
    bed: '08,09(28,29):ベッド',
    table: '12(32):テーブル',
};
const BROWSER_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run'];
const LOCAL_SCHEMES = ['file:', 'data:', 'blob:'];
const WAIT_MS = 3000;

export function launchBrowser() {
    return chromium.launch({ executablePath: '/usr/bin/chromium', args: BROWSER_ARGS });
}

// The page opened from the disk. Every request that is not the disk's, a
// data: or a blob: URL is refused and kept in offences, with every console
// error and uncaught exception.
export async function openPage(browser, viewport = { width: 1280, height: 900 }) {
    const context = await browser.newContext({ acceptDownloads: true, viewport });
    context.setDefaultTimeout(5000);
    const page = await context.newPage();
    const offences = [];
    const local = (url) => LOCAL_SCHEMES.some((scheme) => url.startsWith(scheme));
    await context.route('**/*', (route) => {
        const url = route.request().url();
        if (local(url)) return route.continue();
        offences.push(`request: ${url}`);
        return route.abort();
    });
    page.on('request', (request) => local(request.url()) || offences.push(`request: ${request.url()}`));
    page.on('console', (message) => message.type() === 'error' && offences.push(`console: ${message.text()}`));
    page.on('pageerror', (error) => offences.push(`exception: ${error.message}`));
    await page.goto(pathToFileURL(PAGE).href);
    await until(() => page.getByLabel(LABELS.files).isEnabled(), 'the file picker to be enabled', 10000);
    return { page, offences };
}

// Polls check until it gives something true, which it returns.
export async function until(check, what, timeout = WAIT_MS) {
    const end = Date.now() + timeout;
    for (;;) {
        const result = await check().catch(() => false);
        if (result) return result;
        if (Date.now() > end) throw new Error(`waited ${timeout} ms for ${what}`);
        await new Promise((done) => setTimeout(done, 50));
    }
}

function messageDialog(page) {
    return page.locator('dialog[open], [role=alertdialog]').filter({ has: page.getByRole('button', { name: 'OK', exact: true }) });
}

// The message shown now, as its lines; answered with OK.
export async function takeMessage(page) {
    const dialog = messageDialog(page);
    await until(async () => (await dialog.count()) === 1, 'a message');
    const text = (await dialog.innerText()).replace(/\s*OK\s*$/, '');
    await dialog.getByRole('button', { name: 'OK', exact: true }).click();
    await until(async () => (await dialog.count()) === 0, 'the message to close');
    return text.split('\n').map((line) => line.trim()).filter(Boolean);
}

// Every message until none comes for a while.
export async function takeMessages(page, quiet = 500) {
    const texts = [];
    for (;;) {
        try {
            await until(async () => (await messageDialog(page).count()) > 0, 'a message', quiet);
        } catch {
            return texts;
        }
        texts.push(await takeMessage(page));
    }
}

export function messageLines(text) {
    return text.split('\n').filter(Boolean);
}

// A field outside the dialogs.
export function field(page, label) {
    return page.getByLabel(label, { exact: true }).filter({ visible: true }).first();
}

export async function canvasPictures(page) {
    return page.evaluate((slots) => Object.fromEntries(slots.map((slot) => {
        const canvas = document.querySelector(`canvas[data-slot="${slot}"]`);
        if (!canvas) return [slot, null];
        const { width, height } = canvas;
        const pixels = width && height
            ? canvas.getContext('2d').getImageData(0, 0, width, height, { colorSpace: 'srgb' }).data : [];
        let binary = '';
        for (const byte of pixels) binary += String.fromCharCode(byte);
        return [slot, { width, height, rgba: btoa(binary) }];
    })), PREVIEW_SLOTS);
}

// The core's preview pictures of a package, by slot.
export function referencePictures(packagePath) {
    const lines = execFileSync(REFERENCE, ['preview', packagePath], { maxBuffer: 1 << 26 }).toString().trim().split('\n');
    return Object.fromEntries(lines.map((line) => {
        const [slot, width, height, hex = ''] = line.split(' ');
        return [slot, { width: +width, height: +height, rgba: Buffer.from(hex, 'hex').toString('base64') }];
    }));
}

// The slots whose canvas differs from the core's picture, with how.
export function pictureDifferences(shown, expected, slots = PREVIEW_SLOTS) {
    return slots.flatMap((slot) => {
        const a = shown[slot];
        const b = expected[slot];
        if (!a) return [`slot ${slot}: no canvas`];
        if (a.width !== b.width || a.height !== b.height)
            return [`slot ${slot}: ${a.width}x${a.height}, not ${b.width}x${b.height}`];
        if (a.rgba !== b.rgba) {
            const x = Buffer.from(a.rgba, 'base64');
            const y = Buffer.from(b.rgba, 'base64');
            const at = x.findIndex((byte, i) => byte !== y[i]) >> 2;
            return [`slot ${slot}: pixel ${at % a.width},${Math.floor(at / a.width)} is ` +
                `${x.subarray(at * 4, at * 4 + 4).toString('hex')}, not ${y.subarray(at * 4, at * 4 + 4).toString('hex')}`];
        }
        return [];
    });
}

// Waits until every canvas shows the core's picture of the package.
export async function expectPreviews(page, expected, slots = PREVIEW_SLOTS) {
    let differences = [];
    try {
        await until(async () => {
            differences = pictureDifferences(await canvasPictures(page), expected, slots);
            return differences.length === 0;
        }, 'the previews');
    } catch {
        throw new Error(`previews differ from the core's:\n${differences.join('\n')}`);
    }
}

export function tavipac(workdir, ...args) {
    return execFileSync(TAVIPAC, args, { cwd: workdir }).toString();
}

export function reference(...args) {
    return execFileSync(REFERENCE, args).toString();
}

// A working folder with the sample rooms in 部屋 and, in 部屋の部品集, the
// parts tavipac exports from each room named.
export function workingFolder(exportedRooms = []) {
    const folder = mkdtempSync(join(tmpdir(), 'tavi-browser-'));
    mkdirSync(join(folder, '部屋'));
    for (const room of ROOMS) cpSync(join(SAMPLE_ROOMS, room), join(folder, '部屋', room));
    for (const room of exportedRooms) tavipac(folder, 'export', `部屋/${room}`);
    return folder;
}

export function filesIn(folder) {
    return readdirSync(folder).sort().map((name) => join(folder, name));
}

// Dispatches a drop of the files (name and bytes) onto the canvas of slot,
// or onto the page's body without one; true when the page cancelled the
// browser's own handling.
export function dropFiles(page, files, slot = null) {
    const encoded = files.map(({ name, bytes }) => ({ name, data: Buffer.from(bytes).toString('base64') }));
    return page.evaluate(({ encoded, slot }) => {
        const transfer = new DataTransfer();
        for (const { name, data } of encoded)
            transfer.items.add(new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], name));
        const target = slot === null ? document.body : document.querySelector(`canvas[data-slot="${slot}"]`);
        const box = target.getBoundingClientRect();
        const init = { bubbles: true, cancelable: true, composed: true, dataTransfer: transfer,
            clientX: box.x + box.width / 2, clientY: box.y + box.height / 2 };
        target.dispatchEvent(new DragEvent('dragenter', init));
        target.dispatchEvent(new DragEvent('dragover', init));
        return !target.dispatchEvent(new DragEvent('drop', init));
    }, { encoded, slot });
}

export async function download(page, action) {
    const [file] = await Promise.all([page.waitForEvent('download', { timeout: WAIT_MS }), action()]);
    return { name: file.suggestedFilename(), bytes: readFileSync(await file.path()) };
}

// A PNG of RGBA pixels (colour type 6, no filtering).
export function encodePng(width, height, rgba) {
    const chunk = (type, data) => {
        const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
        const length = Buffer.alloc(4);
        length.writeUInt32BE(data.length);
        const crc = Buffer.alloc(4);
        crc.writeUInt32BE(crc32(body));
        return Buffer.concat([length, body, crc]);
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header.set([8, 6, 0, 0, 0], 8);
    const rows = Buffer.alloc((width * 4 + 1) * height);
    for (let y = 0; y < height; ++y) Buffer.from(rgba.buffer, rgba.byteOffset + y * width * 4, width * 4).copy(rows, y * (width * 4 + 1) + 1);
    return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk('IHDR', header),
        chunk('IDAT', zlib.deflateSync(rows)), chunk('IEND', Buffer.alloc(0))]);
}

// A picture of width x height pixels from colour(x, y) = [r, g, b, a].
export function picture(width, height, colour) {
    const rgba = new Uint8Array(width * height * 4);
    for (let y = 0; y < height; ++y)
        for (let x = 0; x < width; ++x) rgba.set(colour(x, y), (y * width + x) * 4);
    return encodePng(width, height, rgba);
}

// An uncompressed bottom-up BMP file with a 40-byte info header: 8 bits per
// pixel with a grey colour table, or 24; every pixel of the value given.
export function bmpFile(width, height, bits, value = 0) {
    const table = bits === 8 ? 1024 : 0;
    const stride = Math.ceil((width * bits) / 32) * 4;
    const offset = 54 + table;
    const file = Buffer.alloc(offset + stride * height, 0);
    file.write('BM', 0, 'latin1');
    file.writeUInt32LE(file.length, 2);
    file.writeUInt32LE(offset, 10);
    file.writeUInt32LE(40, 14);
    file.writeInt32LE(width, 18);
    file.writeInt32LE(height, 22);
    file.writeUInt16LE(1, 26);
    file.writeUInt16LE(bits, 28);
    file.writeUInt32LE(stride * height, 34);
    for (let i = 0; i < table / 4; ++i) file.set([i, i, i, 0], 54 + i * 4);
    for (let y = 0; y < height; ++y) file.fill(value, offset + y * stride, offset + y * stride + (width * bits) / 8);
    return file;
}

// The entries of a zip file from its central directory: the name's bytes,
// the general purpose flags, the Info-ZIP Unicode Path field (its CRC of
// the name and its UTF-8 name) and the data.
export function readZip(zip) {
    const end = zip.lastIndexOf(Buffer.from([0x50, 0x4b, 0x05, 0x06]));
    const count = zip.readUInt16LE(end + 10);
    let at = zip.readUInt32LE(end + 16);
    const entries = [];
    for (let i = 0; i < count; ++i) {
        const flags = zip.readUInt16LE(at + 8);
        const method = zip.readUInt16LE(at + 10);
        const packedSize = zip.readUInt32LE(at + 20);
        const nameLength = zip.readUInt16LE(at + 28);
        const extraLength = zip.readUInt16LE(at + 30);
        const commentLength = zip.readUInt16LE(at + 32);
        const local = zip.readUInt32LE(at + 42);
        const rawName = zip.subarray(at + 46, at + 46 + nameLength);
        const extra = zip.subarray(at + 46 + nameLength, at + 46 + nameLength + extraLength);
        let unicodePath = null;
        for (let e = 0; e + 4 <= extra.length; e += 4 + extra.readUInt16LE(e + 2)) {
            if (extra.readUInt16LE(e) === 0x7075) {
                const size = extra.readUInt16LE(e + 2);
                unicodePath = { version: extra[e + 4], crc: extra.readUInt32LE(e + 5),
                    name: extra.subarray(e + 9, e + 4 + size).toString('utf8') };
            }
        }
        const dataStart = local + 30 + zip.readUInt16LE(local + 26) + zip.readUInt16LE(local + 28);
        const packed = zip.subarray(dataStart, dataStart + packedSize);
        const data = method === 8 ? zlib.inflateRawSync(packed) : packed;
        entries.push({ rawName, flags, method, unicodePath, data });
        at += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

// CRC-32 as zip and PNG files use it (Node 18 has no zlib.crc32).
const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
});
export function crc32(bytes) {
    let crc = 0xffffffff;
    for (const byte of bytes) crc = CRC_TABLE[(crc ^ byte) & 0xff] ^ (crc >>> 8);
    return (crc ^ 0xffffffff) >>> 0;
}

export const shiftJis = new TextDecoder('shift_jis', { fatal: true });
