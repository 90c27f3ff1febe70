// The page of "crossgen html" solved in Debian's chromium, headless: a 9 x 9 crossword from the
// game's templates and dictionary, its whole solution typed cell by cell, "Решено!"; then one
// wrong letter typed with a Latin key (the keyboard map), which "Проверить" marks and no other.
// Usage: node solve-page.mjs CROSSGEN (in the folder of the game's data files)
import { chromium } from "playwright-core";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const crossgen = process.argv[2];
const folder = mkdtempSync(join(tmpdir(), "zelvana-page-"));
// Playwright starts the browser with a fresh profile folder of its own; the flags keep it off the
// network, which this machine closes anyway.
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
try {
  const saved = join(folder, "puzzle.cwd"), page = join(folder, "puzzle.html");
  const filled = JSON.parse(execFileSync(crossgen, ["fill", "--size", "9x9", "--seed", "11", "--definitions",
    "--json", "--save", saved], { encoding: "utf8" }));
  assert.equal(filled.filled, true);
  execFileSync(crossgen, ["html", saved, "--out", page, "--title", "Девять на девять"]);

  const tab = await browser.newPage();
  const requests = [];
  tab.on("request", request => { if (!request.url().startsWith("file:")) requests.push(request.url()); });
  await tab.goto(pathToFileURL(page).href);
  assert.equal(await tab.title(), "Девять на девять");

  const letters = [];
  filled.rows.forEach((row, y) => [...row].forEach((letter, x) => { if (letter !== "#") letters.push({ x, y, letter }); }));
  const cell = ({ x, y }) => tab.locator(`#grid .cell[data-index="${y * filled.width + x}"]`);
  for (const entry of letters) {
    await cell(entry).click();
    await tab.keyboard.type(entry.letter);
  }
  assert.equal(await tab.locator("#status").textContent(), "Решено!");

  // "f" is "А" and "d" is "В" on a Russian keyboard set to Latin.
  const target = letters[Math.floor(letters.length / 2)];
  const [key, typed] = target.letter === "А" ? ["d", "В"] : ["f", "А"];
  await cell(target).click();
  await tab.keyboard.press(key);
  assert.equal(await cell(target).locator(".letter").textContent(), typed);
  assert.notEqual(await tab.locator("#status").textContent(), "Решено!");
  await tab.getByRole("button", { name: "Проверить" }).click();
  assert.equal(await tab.locator("#grid .cell.wrong").count(), 1);
  assert.match(await cell(target).getAttribute("class"), /\bwrong\b/);
  assert.equal(await tab.locator("#status").textContent(), "Неверных букв: 1");
  assert.deepEqual(requests, [], "the page asks the network for nothing");
  console.log(`solved ${letters.length} letters; the wrong one marked`);
} finally {
  await browser.close();
  rmSync(folder, { recursive: true, force: true });
}
