#pragma once

// The style and the script of the crossword page to solve (HtmlPage.cpp). The script reads the
// puzzle from the JSON element "puzzle-data": width, height, arrowword, cells (null for a block,
// else the clue number n and the bars), clues (dir, n, text, the cell indices row by row, loc:
// the clue cell or -1), keys (the letter tables and the Latin keys of each letter), and the
// solution scrambled with the seed.

#include <string_view>

inline constexpr std::string_view PageStyle = R"css(:root { --cell: 2.4rem; --ink: #111; --mark: #fde68a; --word: #dbeafe; }
body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; margin: 1.5rem; color: var(--ink); }
h1 { font-size: 1.5rem; margin: 0 0 .5rem; }
.byline, .notes, .copyright { margin: .2rem 0; color: #444; }
.board { display: flex; flex-wrap: wrap; gap: 2rem; align-items: flex-start; margin: 1rem 0; }
#grid { display: grid; border: 2px solid var(--ink); width: max-content; }
.cell { width: var(--cell); height: var(--cell); box-sizing: border-box; border: 1px solid #777; position: relative;
  background: #fff; display: flex; align-items: center; justify-content: center; cursor: pointer; user-select: none; }
.cell.block { background: #222; cursor: default; }
.cell.cluecell { background: #ece8dc; flex-direction: column; align-items: stretch; font-size: .42rem; line-height: 1.05;
  padding: 1px; overflow: hidden; text-align: center; }
.incell { flex: 1; overflow: hidden; display: flex; align-items: center; justify-content: center; }
.incell + .incell { border-top: 1px solid #777; }
.num { position: absolute; top: 1px; left: 2px; font-size: .55rem; }
.letter { font-size: 1.25rem; }
.cell.inword { background: var(--word); }
.cell.current { background: var(--mark); }
.cell.cluecell.active { background: var(--mark); }
.cell.wrong { box-shadow: inset 0 0 0 2px #c00; }
.cell.wrong .letter { color: #c00; }
.bar-T { border-top: 3px solid var(--ink); }
.bar-B { border-bottom: 3px solid var(--ink); }
.bar-L { border-left: 3px solid var(--ink); }
.bar-R { border-right: 3px solid var(--ink); }
#clues { max-width: 30rem; }
#clues h2 { font-size: 1.1rem; margin: .8rem 0 .3rem; }
#clues ol { list-style: none; margin: 0; padding: 0; }
#clues li { padding: .15rem .35rem; cursor: pointer; }
#clues li.active { background: var(--mark); }
#clues p { margin: .15rem 0; }
.buttons button { font-size: 1rem; padding: .35rem .8rem; margin-right: .5rem; }
#status { min-height: 1.5rem; font-size: 1.1rem; }
#status.solved { color: #080; font-weight: bold; }
#keys { position: absolute; left: 0; top: 0; opacity: 0; width: 1px; height: 1px; border: 0; padding: 0; }
.picture { max-width: 100%; }
)css";

inline constexpr std::string_view PageScript = R"js("use strict";
(function () {
  const P = JSON.parse(document.getElementById("puzzle-data").textContent);
  const size = P.width * P.height;
  const headings = { "Across": "По горизонтали", "Down": "По вертикали",
    "Diagonal": "По диагонали вправо", "Diagonal Down Left": "По диагонали влево" };

  const solution = new Array(size).fill("");
  let state = P.seed >>> 0, at = 0;
  for (let i = 0; i < size; ++i) {
    if (P.cells[i] === null) continue;
    state = (Math.imul(state, 1103515245) + 12345) >>> 0;
    solution[i] = String.fromCharCode(parseInt(P.solution.substr(at, 4), 16) ^ (state >>> 16));
    at += 4;
  }
  const entered = new Array(size).fill("");

  const grid = document.getElementById("grid");
  const keys = document.getElementById("keys");
  const status = document.getElementById("status");
  grid.style.gridTemplateColumns = "repeat(" + P.width + ", var(--cell))";

  const cellClues = Array.from({ length: size }, () => []);
  const cluesAt = {};
  P.clues.forEach((clue, k) => {
    clue.cells.forEach(i => cellClues[i].push(k));
    if (clue.loc >= 0) (cluesAt[clue.loc] = cluesAt[clue.loc] || []).push(k);
  });

  const nodes = [];
  for (let i = 0; i < size; ++i) {
    const node = document.createElement("div");
    const cell = P.cells[i];
    node.className = "cell";
    if (cell === null) {
      node.classList.add("block");
      if (cluesAt[i]) {
        node.classList.add("cluecell");
        cluesAt[i].forEach(k => {
          const text = document.createElement("span");
          text.className = "incell";
          text.textContent = P.clues[k].text || "?";
          node.append(text);
        });
      }
    } else {
      if (cell.n) {
        const number = document.createElement("span");
        number.className = "num";
        number.textContent = cell.n;
        node.append(number);
      }
      for (const side of cell.bars || "") node.classList.add("bar-" + side);
      const letter = document.createElement("span");
      letter.className = "letter";
      node.append(letter);
      node.addEventListener("click", () => clickCell(i));
    }
    node.dataset.index = i;
    grid.append(node);
    nodes.push(node);
  }

  const list = document.getElementById("clues");
  const items = [];
  const lists = {};
  P.clues.forEach((clue, k) => {
    if (!lists[clue.dir]) {
      const heading = document.createElement("h2");
      heading.textContent = headings[clue.dir] || clue.dir;
      lists[clue.dir] = document.createElement("ol");
      list.append(heading, lists[clue.dir]);
    }
    const item = document.createElement("li");
    item.textContent = (clue.n ? clue.n + ". " : "") + (clue.text || "???") + " (" + clue.cells.length + ")";
    item.addEventListener("click", () => { choose(k, firstOpenCell(k)); keys.focus(); });
    lists[clue.dir].append(item);
    items.push(item);
  });

  let current = P.cells.findIndex(cell => cell !== null);
  let clue = cellClues[current].length ? cellClues[current][0] : -1;

  function choose(k, i) {
    clue = k;
    current = i;
    show();
  }

  function firstOpenCell(k) {
    const cells = P.clues[k].cells;
    return cells.find(i => entered[i] === "") ?? cells[0];
  }

  function clueOf(i, dir) {
    const own = cellClues[i];
    return own.find(k => P.clues[k].dir === dir) ?? (own.length ? own[0] : -1);
  }

  function clickCell(i) {
    if (i === current && cellClues[i].length > 1) {
      const own = cellClues[i];
      choose(own[(own.indexOf(clue) + 1) % own.length], i);
    } else {
      choose(clueOf(i, clue >= 0 ? P.clues[clue].dir : "Across"), i);
    }
    keys.focus();
  }

  function show() {
    nodes.forEach((node, i) => {
      node.classList.remove("current", "inword", "active");
      const letter = node.querySelector(".letter");
      if (letter) letter.textContent = entered[i];
    });
    items.forEach(item => item.classList.remove("active"));
    if (clue >= 0) {
      P.clues[clue].cells.forEach(i => nodes[i].classList.add("inword"));
      if (P.clues[clue].loc >= 0) nodes[P.clues[clue].loc].classList.add("active");
      items[clue].classList.add("active");
      items[clue].scrollIntoView({ block: "nearest" });
    }
    if (current >= 0) nodes[current].classList.add("current");
  }

  function move(dx, dy) {
    let x = current % P.width, y = Math.floor(current / P.width);
    for (;;) {
      x += dx;
      y += dy;
      if (x < 0 || y < 0 || x >= P.width || y >= P.height) return;
      const i = y * P.width + x;
      if (P.cells[i] !== null) {
        choose(clueOf(i, dx !== 0 ? "Across" : "Down"), i);
        return;
      }
    }
  }

  function nextClue(step) {
    if (!P.clues.length) return;
    const k = ((clue < 0 ? 0 : clue + step) % P.clues.length + P.clues.length) % P.clues.length;
    choose(k, firstOpenCell(k));
  }

  // A typed character as the letter it stands for: a Russian letter, or the Latin key that
  // types it; null for anything else.
  function letterOf(ch) {
    for (const table of [P.keys.lowerKeys, P.keys.upperKeys, P.keys.lower, P.keys.upper]) {
      const k = table.indexOf(ch);
      if (k >= 0) return P.keys.upper[k];
    }
    return null;
  }

  function put(letter) {
    if (current < 0) return;
    entered[current] = letter;
    nodes[current].classList.remove("wrong");
    if (clue >= 0) {
      const cells = P.clues[clue].cells;
      const k = cells.indexOf(current);
      if (k >= 0 && k + 1 < cells.length) current = cells[k + 1];
    }
    show();
    announce();
  }

  function erase() {
    if (current < 0) return;
    if (entered[current] === "" && clue >= 0) {
      const cells = P.clues[clue].cells;
      const k = cells.indexOf(current);
      if (k > 0) current = cells[k - 1];
    }
    entered[current] = "";
    nodes[current].classList.remove("wrong");
    show();
    announce();
  }

  function solved() {
    return solution.every((letter, i) => P.cells[i] === null || entered[i] === letter);
  }

  function announce() {
    if (solved()) {
      status.textContent = "Решено!";
      status.className = "solved";
    } else if (status.className === "solved") {
      status.textContent = "";
      status.className = "";
    }
  }

  document.getElementById("check").addEventListener("click", () => {
    let wrong = 0;
    entered.forEach((letter, i) => {
      const bad = letter !== "" && letter !== solution[i];
      nodes[i].classList.toggle("wrong", bad);
      wrong += bad;
    });
    if (solved()) announce();
    else {
      status.className = "";
      status.textContent = wrong ? "Неверных букв: " + wrong : "Ошибок нет";
    }
    keys.focus();
  });

  document.getElementById("reveal").addEventListener("click", () => {
    solution.forEach((letter, i) => { entered[i] = letter; nodes[i].classList.remove("wrong"); });
    show();
    status.className = "";
    status.textContent = "Ответ показан";
  });

  document.addEventListener("keydown", event => {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (document.activeElement !== keys && document.activeElement !== document.body) return;
    switch (event.key) {
      case "ArrowLeft": move(-1, 0); break;
      case "ArrowRight": move(1, 0); break;
      case "ArrowUp": move(0, -1); break;
      case "ArrowDown": move(0, 1); break;
      case "Tab": nextClue(event.shiftKey ? -1 : 1); break;
      case "Backspace": erase(); break;
      case "Delete":
        if (current >= 0) { entered[current] = ""; show(); announce(); }
        break;
      default: {
        const letter = event.key.length === 1 ? letterOf(event.key) : null;
        if (!letter) return;
        put(letter);
      }
    }
    event.preventDefault();
  });

  // Text that arrives without a key press (an on-screen keyboard, input methods).
  keys.addEventListener("input", () => {
    for (const ch of keys.value) {
      const letter = letterOf(ch);
      if (letter) put(letter);
    }
    keys.value = "";
  });

  show();
  keys.focus({ preventScroll: true });
})();
)js";
