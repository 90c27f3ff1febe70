// crossgen's ipuz files read by an independent reader from the npm registry: a classic, an
// Estonian and a scanword crossword, filled with the game's dictionary and written with
// "fill --save-ipuz". The reader's grid, solution and clue counts must match the crossword as
// crossgen shows it. Usage: node ipuz-interop.mjs CROSSGEN (in the folder of the game's data files)
import { parse } from "@xwordly/xword-parser";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const crossgen = process.argv[2];
const folder = mkdtempSync(join(tmpdir(), "zelvana-ipuz-"));
// The Estonian grid has walls (".w2": a wall on the right), which ipuz writes as bars.
const walled = join(folder, "estonian.txt");
writeFileSync(walled, "estonian 7x3\n. . . .w2 . . .\n. # . # . # .\n. . .w2 . . . .\n");
// The scanword's clue cells stand above and left of its words (".a18": both words of the cell
// have their clue up-left, ".a1" above, ".a24" left).
const lattice = join(folder, "scanword.txt");
writeFileSync(lattice, "scanword 7x6\n# # # # # # #\n# .a18 . .a1 . .a1 .\n# . # . # . #\n" +
  "# .a24 . . . . .\n# . # . # . #\n# .a24 . . . . .\n");
const cases = [
  { kind: "classic", grid: ["--size", "9x9"] },
  { kind: "estonian", grid: ["--picture", walled] },
  { kind: "scanword", grid: ["--picture", lattice] },
];
try {
  for (const { kind, grid } of cases) {
    const ipuz = join(folder, kind + ".ipuz");
    const shown = JSON.parse(execFileSync(crossgen, ["fill", ...grid, "--seed", "5", "--definitions", "--json",
      "--save-ipuz", ipuz, "--title", "Проверка"], { encoding: "utf8" }));
    assert.equal(shown.filled, true, kind + " filled");

    const text = readFileSync(ipuz, "utf8");
    if (kind === "estonian") assert.match(text, /"barred": "R"/, "walls written as bars");
    if (kind === "scanword") assert.match(text, /arrowword/, "an arrowword");
    const puzzle = parse(text, { filename: kind + ".ipuz" });
    assert.equal(puzzle.title, "Проверка");
    assert.equal(puzzle.grid.width, shown.width, kind + " width");
    assert.equal(puzzle.grid.height, shown.height, kind + " height");
    const rows = puzzle.grid.cells.map(row => row.map(cell => cell.isBlack ? "#" : cell.solution).join(""));
    assert.deepEqual(rows, shown.rows, kind + " solution");
    const clues = puzzle.clues.across.length + puzzle.clues.down.length;
    assert.equal(clues, shown.words.length, kind + " clues");
    assert.ok(puzzle.clues.across.some(clue => clue.text.length > 0), kind + " clue texts");
    console.log(`${kind}: ${shown.width}x${shown.height}, ${clues} clues read alike`);
  }
} finally {
  rmSync(folder, { recursive: true, force: true });
}
