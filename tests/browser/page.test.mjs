// Tavi.html in headless Chromium, driven as a person drives it: the sample
// rooms and their exported parts opened, every preview against the core's
// picture, a choice, a dropped PNG, compose and export against tavipac, the
// editor's messages for a damaged package and a 24-bit part file, and no
// request off the disk, console error or exception all along. One browser
// and one page for the whole run, the tests in order. Run by the test
// command; alone, after npm ci and with the native tree and the page built:
//   TAVI_BUILD=/path/to/build node --test page.test.mjs
// (TAVI_PAGE names another Tavi.html, TAVI_REFERENCE another helper).
import assert from 'node:assert/strict';
import { copyFileSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import {
    LABELS, ROOMS, bmpFile, canvasPictures, crc32, download, dropFiles, expectPreviews, field,
    launchBrowser, messageLines, openPage, picture, readZip, reference, referencePictures, shiftJis, takeMessages,
    tavipac, until, workingFolder,
} from './support.mjs';

let browser;
let page;
let offences;
let folder; // what the page is given
let work; // where tavipac makes the references

const roomList = () => page.getByLabel(LABELS.rooms, { exact: true });
const group = (label) => page.getByLabel(label, { exact: true }).filter({ visible: true });
const button = (start) => page.getByRole('button', { name: new RegExp(`^${start}`) });
const options = (select) => select.locator('option').allTextContents();

async function selectRoom(name) {
    await roomList().selectOption(name);
    await until(async () => (await field(page, 'FILE名').inputValue()) === name, `${name} to be selected`);
}

async function displayRoom(name) {
    await selectRoom(name);
    await until(() => button('部品表示').isEnabled(), '部品表示 to be enabled');
    await button('部品表示').click();
}

async function choose(label, entry) {
    await group(label).selectOption(entry);
}

// The PNG dropped onto the bed: a gradient, cut out outside an ellipse.
const bedPicture = picture(72, 48, (x, y) => {
    const inside = ((x - 36) / 34) ** 2 + ((y - 24) / 22) ** 2 <= 1;
    return inside ? [x * 3, y * 5, 128, 255] : [0, 0, 0, 0];
});

before(async () => {
    browser = await launchBrowser();
    ({ page, offences } = await openPage(browser));
    folder = workingFolder(['mori.pac']);
    work = workingFolder(['mori.pac']);
});

after(async () => {
    await browser?.close();
});

test('a working folder lists its rooms and exported parts; each room shows its texts and every preview as the core draws it', async () => {
    await page.getByLabel(LABELS.folder, { exact: true }).setInputFiles(folder);
    await until(async () => (await options(roomList())).length === ROOMS.length, 'the room list');
    assert.deepEqual(await options(roomList()), ROOMS);
    assert.deepEqual(await options(group(LABELS.bed)), ['', 'mori.BMP']);
    assert.deepEqual(await options(group('04(24)部屋')), ['', 'mori.BMP']);
    assert.deepEqual(await options(group('02(22):窓の外（通信中）')), ['', 'mori.BMP']);
    assert.equal(await page.getByRole('checkbox', { name: LABELS.autoDisplay }).isChecked(), false);

    for (const room of ROOMS) {
        await displayRoom(room);
        const info = JSON.parse(tavipac(work, 'info', `部屋/${room}`, '--json'));
        assert.equal(await field(page, '名称').inputValue(), info.name);
        assert.equal(await field(page, '備考').inputValue(), info.remarks.replaceAll('\r\n', '\n'));
        assert.equal(await field(page, '著作名').inputValue(), info.author.replaceAll('\r\n', '\n'));
        assert.equal(await field(page, '備考').evaluate((node) => node.tagName), 'TEXTAREA');
        await expectPreviews(page, referencePictures(join(work, '部屋', room)));
    }
    assert.deepEqual(await takeMessages(page, 100), []);
});

test('a choice loads the group from the collection as tavipac compose does', async () => {
    tavipac(work, 'compose', '部屋/sakura.pac', '-o', 'chosen.pac', '--part', '8=mori.BMP');
    await displayRoom('sakura.pac');
    await choose(LABELS.bed, 'mori.BMP');
    await expectPreviews(page, referencePictures(join(work, 'chosen.pac')));
});

test('a PNG with transparency dropped onto the bed becomes the bed, its entry added and chosen', async () => {
    writeFileSync(join(work, 'bed.png'), bedPicture);
    tavipac(work, 'import', 'chosen.pac', 'bed.png', '--slot', '8');
    tavipac(work, 'compose', '部屋/sakura.pac', '-o', 'dropped.pac', '--part', '8=bed.BMP');
    assert.equal(await dropFiles(page, [{ name: 'bed.png', bytes: bedPicture }], 8), true,
        'the drop is left to the browser');
    await until(async () => (await group(LABELS.bed).inputValue()) === 'bed.BMP', 'bed.BMP to be chosen', 3000);
    assert.deepEqual(await options(group(LABELS.bed)), ['', 'bed.BMP', 'mori.BMP']);
    await expectPreviews(page, referencePictures(join(work, 'dropped.pac')), [8, 9]);
    assert.deepEqual(await takeMessages(page, 100), []);
});

test('compose downloads the package tavipac composes for the same choices, then lists and selects it', async () => {
    const texts = { name: 'お花見の部屋', remarks: '桜とベッド。\n二行目です。', author: 'ブラウザ' };
    await button('部品合成').click();
    const dialog = page.locator('dialog[open], [role=dialog]').filter({ has: page.getByRole('button', { name: '合成実行' }) });
    await until(() => dialog.isVisible(), 'the compose dialog');
    await dialog.getByLabel('FILE名', { exact: true }).fill('hanami');
    await dialog.getByLabel('名称', { exact: true }).fill(texts.name);
    await dialog.getByLabel('備考', { exact: true }).fill(texts.remarks);
    await dialog.getByLabel('著作名', { exact: true }).fill(texts.author);
    assert.equal(await dialog.getByLabel('著作名', { exact: true }).evaluate((node) => node.tagName), 'TEXTAREA');
    const composed = await download(page, () => dialog.getByRole('button', { name: '合成実行' }).click());

    tavipac(work, 'compose', '部屋/sakura.pac', '-o', 'hanami.pac', '--part', '8=bed.BMP', '--name', texts.name,
        '--remarks', texts.remarks, '--author', texts.author);
    assert.equal(composed.name, 'hanami.pac');
    assert.ok(composed.bytes.equals(readFileSync(join(work, 'hanami.pac'))), 'the package differs from tavipac\'s');
    await until(async () => (await roomList().inputValue()) === 'hanami.pac', 'hanami.pac to be selected');
    assert.deepEqual(await options(roomList()), ['hanami.pac', ...ROOMS]);
    assert.equal(await dialog.count(), 0);
});

test('export downloads a zip of the files tavipac exports, named in code page 932 and in UTF-8', async () => {
    // A room of a Japanese name, so that the names need code page 932.
    const room = 'もり.pac';
    copyFileSync(join(work, '部屋/mori.pac'), join(work, '部屋', room));
    await page.getByLabel(LABELS.files, { exact: true }).setInputFiles(join(work, '部屋', room));
    await until(async () => (await options(roomList())).includes(room), `${room} to be listed`);
    await displayRoom(room);
    const zip = await download(page, () => button('部品出力').click());
    const names = tavipac(work, 'export', `部屋/${room}`).trim().split('\n').map((line) => line.replace('部屋の部品集/', ''));

    assert.equal(zip.name, 'もり.zip');
    const entries = readZip(zip.bytes);
    assert.deepEqual(entries.map((entry) => shiftJis.decode(entry.rawName)).sort(), [...names].sort());
    for (const entry of entries) {
        const name = shiftJis.decode(entry.rawName);
        assert.equal(entry.flags & 0x800, 0, `${name}: UTF-8 flag set`);
        assert.ok(!entry.rawName.equals(Buffer.from(name)), `${name}: stored as UTF-8`);
        assert.deepEqual(entry.unicodePath, { version: 1, crc: crc32(entry.rawName), name }, `${name}: Unicode Path`);
        assert.ok(entry.data.equals(readFileSync(join(work, '部屋の部品集', name))), `${name}: bytes differ`);
    }
    assert.equal(entries.length, 38);
    await until(async () => (await options(group(LABELS.bed))).includes('もり.BMP'), 'the exported entry');
    assert.deepEqual(await takeMessages(page, 100), []);
});

test('a damaged package and a 24-bit part file give the editor\'s messages and change nothing else', async () => {
    const damaged = Buffer.from(readFileSync(join(work, '部屋/mori.pac')));
    const recordStart = (record) => {
        let at = 1056;
        for (let i = 0; i < record; ++i) at += 4 + damaged.readUInt32LE(at);
        return at + 4;
    };
    damaged.writeUInt16LE(24, recordStart(3) + 28);
    writeFileSync(join(work, 'broken.pac'), damaged);
    writeFileSync(join(work, '12deep.BMP'), bmpFile(30, 20, 24, 0x40));
    writeFileSync(join(work, '32deep.BMP'), bmpFile(30, 20, 8, 0));
    await page.getByLabel(LABELS.files, { exact: true }).setInputFiles(
        ['broken.pac', '12deep.BMP', '32deep.BMP'].map((name) => join(work, name)));
    await until(async () => (await options(group(LABELS.table))).includes('deep.BMP'), 'deep.BMP to be listed');

    // The editor reads the package on selection or on display: the message
    // comes once in all.
    await roomList().selectOption('broken.pac');
    const messages = await takeMessages(page);
    await until(() => button('部品表示').isEnabled(), '部品表示 to be enabled');
    await button('部品表示').click();
    messages.push(...(await takeMessages(page)));
    assert.deepEqual(messages, [messageLines(reference('message', 'record-not-8-bit', '3'))]);
    const before = await canvasPictures(page);
    await choose(LABELS.table, 'deep.BMP');
    assert.deepEqual(await takeMessages(page), [messageLines(reference('message', 'part-not-8-bit', '12deep.BMP'))]);
    assert.deepEqual((await canvasPictures(page))[12], before[12]);
});

test('nothing was requested off the disk and nothing went wrong in the console', () => {
    assert.deepEqual(offences, []);
});

