// node bench/web_measure.mjs WEB_DIR SCRIPT: the browser build's figures for docs/performance.md, in
// headless Chromium (SwiftShader): the time from the page's start to its first title frame (the
// median of five loads), then the play frame times of SCRIPT replayed with ?frame-stats, and of its
// moves played live with keys.
import {copyFileSync, mkdtempSync, readdirSync, readFileSync, symlinkSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {basename, join, resolve} from 'node:path';

import {Browser, serve} from '../tests/web/browser.mjs';

const [webDir, script] = process.argv.slice(2);
const folder = mkdtempSync(join(tmpdir(), 'quarnel-measure-'));
for (const name of readdirSync(webDir))
  if (/\.(html|js|wasm|data|png)$/.test(name)) symlinkSync(resolve(webDir, name), join(folder, name));
copyFileSync(script, join(folder, basename(script)));
const server = await serve(folder);
const browser = await Browser.launch();
try {
  const times = [];
  for (let i = 0; i < 5; ++i) {
    const page = await browser.open(`${server.url}index.html`);
    times.push(await page.waitFor('Module.quarnelFirstFrameMs', 60, 'the title'));
    await page.send('Page.close');
  }
  times.sort((a, b) => a - b);
  console.log(`web title_ms ${times[2].toFixed(0)} (five loads: ${times.map((t) => t.toFixed(0)).join(' ')})`);
  const page = await browser.open(`${server.url}index.html?replay=${basename(script)}&frame-stats`);
  await page.waitFor('document.body.dataset.exit', 900, 'the end of the replay');
  console.log('web replay ' + (await page.evaluate('document.getElementById("report").textContent')).trim());
  // Live play, paced by the browser's animation frames: the same moves tapped as a player taps them.
  const moves =
      readFileSync(script, 'utf8').split('\n').flatMap((line) => /^31 (up|left|right)$/.exec(line)?.[1] ?? []);
  const live = await browser.open(`${server.url}index.html?seed=1&frame-stats`);
  await live.waitFor('typeof Module === "object" && Module.quarnelFrames > 10', 60, 'the title');
  await live.tap('Enter');
  await live.ticksPast((await live.runTicks()) + 20);  // play has started
  await live.walk(moves);
  await live.tap('Escape');  // play for the title, then the title for good
  await live.ticksPast((await live.runTicks()) + 5);
  await live.tap('Escape');
  await live.waitFor('document.body.dataset.exit', 60, 'the end of the game');
  console.log('web live ' + (await live.evaluate('document.getElementById("report").textContent')).trim());
} finally {
  server.stop();
  await browser.close();
}
