// The guide's pictures of the browser edition: the sample working folder
// opened (sakura.pac's parts displayed, the bed of mori.pac chosen) in a
// desktop-sized and a phone-sized window. Usage: node screenshot.mjs DESKTOP.png PHONE.png
import { LABELS, field, launchBrowser, openPage, until, workingFolder } from './support.mjs';

const [desktopPath, phonePath] = process.argv.slice(2);
const folder = workingFolder(['mori.pac']);
const browser = await launchBrowser();
try {
    for (const [path, viewport] of [[desktopPath, { width: 1280, height: 900 }], [phonePath, { width: 390, height: 844 }]]) {
        const { page } = await openPage(browser, viewport);
        await page.getByLabel(LABELS.folder, { exact: true }).setInputFiles(folder);
        await until(async () => (await page.getByLabel(LABELS.rooms, { exact: true }).locator('option').count()) > 0, 'the rooms');
        await page.getByLabel(LABELS.rooms, { exact: true }).selectOption('sakura.pac');
        await until(async () => (await field(page, 'FILE名').inputValue()) === 'sakura.pac', 'sakura.pac');
        await page.getByRole('button', { name: /^部品表示/ }).click();
        await page.getByLabel(LABELS.bed, { exact: true }).filter({ visible: true }).selectOption('mori.BMP');
        await page.evaluate(() => { document.activeElement?.blur(); window.scrollTo(0, 0); });
        await page.waitForTimeout(500);
        await page.screenshot({ path });
        await page.context().close();
    }
} finally {
    await browser.close();
}
