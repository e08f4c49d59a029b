// The browser edition's benchmark: the page's size, the time from loading
// it to the first listed package, a selection, the parts display and a
// choice (each timed in the page up to the frame that shows it), and a
// dropped picture made a part in the page beside the native conversion of
// the same picture, measured in the same run. Figures only.
import { statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
    LABELS, PAGE, REFERENCE, SAMPLE_ROOMS, ROOMS, dropFiles, field, launchBrowser, openPage, picture, reference,
    until, workingFolder,
} from './support.mjs';

const ROUNDS = 5;

// Runs in the page (the page's policy allows no eval, so the steps are
// named, not passed as text): does step, then waits frame by frame until
// what it changes is shown, and gives the milliseconds in between.
async function measureInPage({ step, list, file, display, bed, value }) {
    const bedSum = () => {
        const canvas = document.querySelector('canvas[data-slot="8"]');
        if (!canvas.width) return '';
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let sum = 0;
        for (let i = 0; i < data.length; ++i) sum = (sum + data[i] * ((i % 97) + 1)) % 1e9;
        return `${canvas.width}:${sum}`;
    };
    const change = (select) => {
        select.value = value;
        select.dispatchEvent(new Event('input', { bubbles: true }));
        select.dispatchEvent(new Event('change', { bubbles: true }));
    };
    const before = bedSum();
    const steps = {
        select: [() => change(list), () => file.value === value],
        display: [() => display.click(), () => document.querySelector('canvas[data-slot="8"]').width > 0],
        choose: [() => change(bed), () => bedSum() !== before],
        // The drop itself is dispatched from outside; this waits for its frame.
        drop: [() => {}, () => bedSum() !== value],
    };
    const [act, shown] = steps[step];
    const start = performance.now();
    act();
    await new Promise((resolve, reject) => {
        const frame = () => {
            if (shown()) resolve();
            else if (performance.now() - start > 10000) reject(new Error(`${step}: not shown within 10 s`));
            else requestAnimationFrame(frame);
        };
        frame();
    });
    return performance.now() - start;
}

function bedSumOf(page) {
    return page.evaluate(() => {
        const canvas = document.querySelector('canvas[data-slot="8"]');
        if (!canvas.width) return '';
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let sum = 0;
        for (let i = 0; i < data.length; ++i) sum = (sum + data[i] * ((i % 97) + 1)) % 1e9;
        return `${canvas.width}:${sum}`;
    });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

// 320 x 240, a colour of its own for each pixel, a ring around the middle
// transparent: the quantiser's worst case, which fits a part as it is.
function photo() {
    let seed = 2026;
    return picture(320, 240, (x, y) => {
        seed = (seed * 1103515245 + 12345) >>> 0;
        const cutOut = (x - 160) ** 2 + (y - 120) ** 2 > (320 * 240) / 8;
        return [seed >>> 24, (seed >>> 16) & 255, (seed >>> 8) & 255, cutOut ? 0 : 255];
    });
}

const browser = await launchBrowser();
try {
    const started = Date.now();
    const { page, offences } = await openPage(browser);
    const rooms = ROOMS.map((room) => join(SAMPLE_ROOMS, room));
    const list = await page.getByLabel(LABELS.rooms, { exact: true }).elementHandle();
    await page.getByLabel(LABELS.files, { exact: true }).setInputFiles(rooms);
    const firstListed = await (await page.waitForFunction((list) => list.options.length > 0 && performance.now(),
        list, { polling: 'raf' })).jsonValue();
    const wallClock = Date.now() - started;

    const handles = {
        list,
        file: await field(page, 'FILE名').elementHandle(),
        display: await page.getByRole('button', { name: /^部品表示/ }).elementHandle(),
        bed: await page.getByLabel(LABELS.bed, { exact: true }).elementHandle(),
    };
    const measure = (step, value) => page.evaluate(measureInPage, { ...handles, step, value });
    const select = (name) => measure('select', name);
    const selections = [];
    for (let round = 0; round < ROUNDS; ++round) selections.push(await select(ROOMS[round % 2]));
    await select('mori.pac');
    const display = await measure('display');

    const folder = workingFolder(['sakura.pac', 'umi.pac']);
    await page.getByLabel(LABELS.folder, { exact: true }).setInputFiles(folder);
    await until(async () => (await page.getByLabel(LABELS.bed, { exact: true }).locator('option').count()) === 3, 'the exported entries');
    const choices = [];
    for (let round = 0; round < ROUNDS; ++round) choices.push(await measure('choose', ['sakura.BMP', 'umi.BMP'][round % 2]));

    const bytes = photo();
    const drops = [];
    for (let round = 0; round < 3; ++round) {
        const before = await bedSumOf(page);
        const start = await page.evaluate(() => performance.now());
        await dropFiles(page, [{ name: `photo${round}.png`, bytes }], 8);
        await measure('drop', before);
        drops.push((await page.evaluate(() => performance.now())) - start);
        // Another room and back, displayed again: the next drop meets the
        // same parts.
        await select('umi.pac');
        await select('mori.pac');
        await measure('display');
    }
    const picturePath = join(folder, 'photo.png');
    writeFileSync(picturePath, bytes);
    const [nativeBuild, nativeTime] = reference('convert-time', picturePath).trim().split('\n');
    const native = parseFloat(nativeTime);

    console.log(`browser benchmark: ${PAGE} (${(statSync(PAGE).size / 1024).toFixed(0)} KiB) in ${browser.version()}`);
    console.log(`  native reference: ${REFERENCE}, ${nativeBuild}`);
    console.log(`  page load to the first listed package   ${ms(firstListed)} (in the page), ${wallClock} ms with the browser's start of the page`);
    console.log(`  selecting a room                        ${ms(median(selections))} median of ${ROUNDS}, best ${ms(Math.min(...selections))}`);
    console.log(`  displaying its parts                    ${ms(display)}`);
    console.log(`  choosing a bed                          ${ms(median(choices))} median of ${ROUNDS}, best ${ms(Math.min(...choices))}`);
    console.log(`  320x240 PNG dropped onto the bed        ${ms(Math.min(...drops))} best of ${drops.length} (the drop to its frame)` +
        `   native conversion ${ms(native)} = ${(Math.min(...drops) / native).toFixed(2)}x`);
    if (offences.length) console.log(`  offences: ${offences.join('; ')}`);
} finally {
    await browser.close();
}
