// The page side of filling a form from the record. The program runs this file
// in a script world of its own, never in the page's: the page's scripts share
// the page's elements with it but none of its variables, functions or
// prototypes, so a page that replaces `value`, `dispatchEvent` or
// `querySelectorAll` changes nothing here, and nothing here is theirs to read.
//
// The file is one function expression; the program calls it with a request and
// receives a JSON string:
//   {action: "describe", at: [x, y] | null}
//     -> {status: "form", token, fields: [...]}, {status: "none"} or {status: "frame"}
//   {action: "write", token, fills: [{field, value}]}
//     -> {status: "written", filled, left} or {status: "gone"}
// Between the two, the described boxes stay in this world only. The record's
// values come only with "write", and only those that go into a box.
(function (request) {
  'use strict';

  const kStateKey = Symbol.for('petatto.formfill');
  // Longer texts say nothing more about a box and only slow the answer.
  const kTextLimit = 300;
  // A box thinner than this is a hiding trick, not a box to type in.
  const kSmallest = 2;
  // More nearly transparent than this is hidden from the user.
  const kFaintest = 0.1;
  // A block holding more controls than this is a section, not one row.
  const kRowControls = 8;
  const kNeverFilled = new Set(['hidden', 'button', 'submit', 'reset', 'image', 'file', 'checkbox',
                                'range', 'color']);
  const kSkippedText = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'SELECT', 'TEXTAREA',
                                'OPTION', 'BUTTON', 'INPUT', 'IFRAME', 'OBJECT']);
  const kControls = 'input, select, textarea, button';
  const kMark = '2px solid #e08a00';

  const collapse = (text) => String(text ?? '').replace(/\s+/g, ' ').trim();
  const limited = (text, fromEnd) => fromEnd ? text.slice(-kTextLimit) : text.slice(0, kTextLimit);
  const isControl = (node) => node instanceof HTMLInputElement ||
      node instanceof HTMLSelectElement || node instanceof HTMLTextAreaElement ||
      node instanceof HTMLButtonElement;
  const isFrame = (node) => node instanceof HTMLIFrameElement || node instanceof HTMLFrameElement ||
      node instanceof HTMLObjectElement || node instanceof HTMLEmbedElement;
  const isRendered = (element) => element.getClientRects().length > 0;

  // --- which boxes the user can see and type in --------------------------

  function onScreen(element) {
    const rect = element.getBoundingClientRect();
    if (rect.width < kSmallest || rect.height < kSmallest)
      return false;
    // Nobody can scroll to the left of or above the page's start.
    const left = rect.left + window.scrollX;
    const top = rect.top + window.scrollY;
    if (left + rect.width <= 0 || top + rect.height <= 0)
      return false;
    // The page grows to take in a box past its right or bottom edge, unless
    // it cuts off what overflows.
    const root = document.documentElement;
    const rootStyle = getComputedStyle(root);
    const bodyStyle = document.body ? getComputedStyle(document.body) : rootStyle;
    const clipsX = rootStyle.overflowX === 'hidden' || bodyStyle.overflowX === 'hidden';
    const clipsY = rootStyle.overflowY === 'hidden' || bodyStyle.overflowY === 'hidden';
    const reachX = clipsX ? window.innerWidth + window.scrollX
                          : Math.max(root.scrollWidth, window.innerWidth);
    const reachY = clipsY ? window.innerHeight + window.scrollY
                          : Math.max(root.scrollHeight, window.innerHeight);
    if (left >= reachX || top >= reachY)
      return false;
    // A container that clips its content can hide a box by its own size or
    // by where the box sits inside it.
    let visible = rect;
    for (let block = element.parentElement; block; block = block.parentElement) {
      const style = getComputedStyle(block);
      if (parseFloat(style.opacity) < kFaintest)
        return false;
      if (style.overflowX !== 'visible' || style.overflowY !== 'visible') {
        const clip = block.getBoundingClientRect();
        const width = Math.min(visible.right, clip.right) - Math.max(visible.left, clip.left);
        const height = Math.min(visible.bottom, clip.bottom) - Math.max(visible.top, clip.top);
        if (width < kSmallest || height < kSmallest)
          return false;
      }
    }
    return true;
  }

  function seen(element) {
    if (!element.isConnected || !isRendered(element))
      return false;
    const style = getComputedStyle(element);
    if (style.visibility !== 'visible' || parseFloat(style.opacity) < kFaintest)
      return false;
    if (style.clipPath !== 'none' && style.clipPath !== '')
      return false;
    if (style.position === 'absolute' && style.clip !== 'auto' && style.clip !== '')
      return false;
    return onScreen(element);
  }

  function kindOf(element) {
    if (element instanceof HTMLInputElement)
      return element.type;
    return '';
  }

  // Whether the user could type in, choose or check this box now.
  function fillable(element) {
    if (!(element instanceof HTMLInputElement || element instanceof HTMLSelectElement ||
          element instanceof HTMLTextAreaElement))
      return false;
    if (kNeverFilled.has(kindOf(element)))
      return false;
    if (element.matches(':disabled') || element.readOnly)
      return false;
    return seen(element);
  }

  function radioGroup(radio) {
    if (!radio.name)
      return [radio];
    const scope = radio.form ?? radio.getRootNode();
    const members = radio.form ? Array.from(radio.form.elements)
                               : Array.from(scope.querySelectorAll('input[type=radio]'));
    return members.filter((other) => other instanceof HTMLInputElement && other.type === 'radio' &&
                                     other.name === radio.name && other.form === radio.form);
  }

  // Whether the box holds something the user or the page put there. A select
  // showing its first option only because nothing was chosen holds nothing.
  function hasText(element) {
    if (element instanceof HTMLSelectElement) {
      const chosen = element.options[element.selectedIndex];
      if (!chosen || chosen.value === '')
        return false;
      const preset = Array.from(element.options).some((option) => option.defaultSelected);
      return preset || element.selectedIndex !== 0;
    }
    if (element.type === 'radio')
      return element.checked;
    return element.value !== '';
  }

  // Whether filling the box would change a choice already made: for a radio
  // button, any choice in its group.
  function taken(element) {
    if (element.type === 'radio')
      return radioGroup(element).some((member) => member.checked);
    return hasText(element);
  }

  // --- which form ----------------------------------------------------------

  function deepActiveElement() {
    let active = document.activeElement;
    while (active && active.shadowRoot && active.shadowRoot.activeElement)
      active = active.shadowRoot.activeElement;
    return active;
  }

  // The form the user pointed at or is typing in; null for none, undefined
  // when that is inside a frame this world cannot reach.
  function chosenGroup(at) {
    let element = at ? document.elementFromPoint(at[0], at[1]) : deepActiveElement();
    if (!element)
      return null;
    if (isFrame(element))
      return undefined;
    if (element instanceof HTMLLabelElement && element.control)
      element = element.control;
    if (isControl(element))
      return {form: element.form, anchor: element};
    const form = element.closest('form');
    return form ? {form, anchor: form} : null;
  }

  function groupControls(group) {
    if (group.form)
      return Array.from(group.form.elements).filter(isControl);
    // Boxes that belong to no form are taken as one form of their own.
    return Array.from(document.querySelectorAll(kControls))
        .filter((element) => element.form === null);
  }

  // --- the text around each box --------------------------------------------

  // The rendered text and the controls under `root`, in document order.
  function readingOrder(root) {
    const items = [];
    const walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
      acceptNode(node) {
        if (node.nodeType === Node.TEXT_NODE)
          return NodeFilter.FILTER_ACCEPT;
        if (isControl(node)) {
          if (node.type !== 'hidden' && isRendered(node))
            items.push({control: node});
          return NodeFilter.FILTER_REJECT;
        }
        if (kSkippedText.has(node.tagName))
          return NodeFilter.FILTER_REJECT;
        if (!isRendered(node) && getComputedStyle(node).display !== 'contents')
          return NodeFilter.FILTER_REJECT;
        return NodeFilter.FILTER_SKIP;
      },
    });
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (node.nodeType === Node.TEXT_NODE)
        items.push({text: node.data, node});
      else if (node.tagName === 'BR')
        items.push({text: ' ', node});
    }
    return items;
  }

  function plainText(root) {
    return collapse(readingOrder(root).map((item) => item.text ?? ' ').join(''));
  }

  function labelText(element) {
    const labels = element.labels ? Array.from(element.labels) : [];
    return limited(collapse(labels.map(plainText).join(' ')));
  }

  function ariaText(element) {
    const own = element.getAttribute('aria-label');
    if (own)
      return limited(collapse(own));
    const ids = collapse(element.getAttribute('aria-labelledby')).split(' ').filter(Boolean);
    return limited(collapse(ids.map((id) => document.getElementById(id))
                               .filter(Boolean)
                               .map((label) => label.textContent)
                               .join(' ')));
  }

  function rowHeadingInTable(element, bound) {
    for (let cell = element.closest('td, th'); cell && bound.contains(cell);
         cell = cell.parentElement?.closest('td, th')) {
      const row = cell.parentElement;
      if (!(row instanceof HTMLTableRowElement))
        continue;
      const cells = Array.from(row.cells);
      const heading = cells.find((other) => other !== cell && other.tagName === 'TH') ??
          (cells[0] !== cell && !cells[0].querySelector(kControls) ? cells[0] : null);
      if (heading) {
        const text = plainText(heading);
        if (text)
          return {block: row, label: text};
      }
    }
    return null;
  }

  function rowHeadingInList(element, bound) {
    const item = element.closest('dd');
    if (!item || !bound.contains(item))
      return null;
    for (let term = item.previousElementSibling; term; term = term.previousElementSibling) {
      if (term.tagName === 'DT')
        return {block: item, label: plainText(term)};
    }
    return null;
  }

  function isBlock(element) {
    const display = getComputedStyle(element).display;
    return display !== 'inline' && display !== 'contents' && display !== 'none';
  }

  function controlCount(block) {
    return Array.from(block.querySelectorAll(kControls))
        .filter((control) => control.type !== 'hidden').length;
  }

  // Blocks are shared by the boxes of a row: each is read once.
  function remembered(cache, compute) {
    return (block, ...rest) => {
      if (!cache.has(block))
        cache.set(block, compute(block, ...rest));
      return cache.get(block);
    };
  }

  // The text of `block` up to its first control.
  function leadingText(block, order) {
    let text = '';
    for (const item of order) {
      if (!block.contains(item.control ?? item.node))
        continue;
      if (item.control)
        break;
      text += item.text;
    }
    return collapse(text);
  }

  const blockControls = remembered(new Map(), controlCount);
  const blockLeadingText = remembered(new Map(), leadingText);

  function rowHeadingInBlock(element, bound, order) {
    let nearest = null;
    for (let block = element.parentElement; block && block !== bound && bound.contains(block);
         block = block.parentElement) {
      if (!isBlock(block))
        continue;
      if (blockControls(block) > kRowControls)
        break;
      nearest ??= block;
      const text = blockLeadingText(block, order);
      if (text)
        return {block, label: text};
    }
    return {block: nearest, label: ''};
  }

  // Whether `node` stands with the neighbouring control rather than with the
  // box: inside an element that holds the neighbour but not the box, as a
  // note under the box before or the unit after the box before.
  function belongsTo(node, neighbour, box) {
    let holder = node.parentNode;
    while (holder && !holder.contains(neighbour))
      holder = holder.parentNode;
    return holder !== null && !holder.contains(box);
  }

  function textBeside(order, index, block, step) {
    const box = order[index].control;
    let neighbour = null;
    for (let at = index + step; at >= 0 && at < order.length && !neighbour; at += step)
      neighbour = order[at].control ?? null;
    let text = '';
    for (let at = index + step; at >= 0 && at < order.length; at += step) {
      const item = order[at];
      if (item.control || (block && !block.contains(item.node)))
        break;
      if (neighbour && belongsTo(item.node, neighbour, box))
        break;
      text = step < 0 ? item.text + text : text + item.text;
    }
    return limited(collapse(text), step < 0);
  }

  function numberAttribute(element, name) {
    const value = Number.parseInt(element.getAttribute(name) ?? '', 10);
    return Number.isFinite(value) && value >= 0 ? value : -1;
  }

  function describe(elements, bound) {
    const order = readingOrder(bound);
    const position = new Map();
    order.forEach((item, index) => item.control && position.set(item.control, index));
    const rows = new Map();
    return elements.map((element) => {
      const heading = rowHeadingInTable(element, bound) ?? rowHeadingInList(element, bound) ??
          rowHeadingInBlock(element, bound, order);
      const block = heading.block ?? element;
      if (!rows.has(block))
        rows.set(block, rows.size);
      const index = position.get(element);
      const attribute = (name) => limited(collapse(element.getAttribute(name)));
      const isSelect = element instanceof HTMLSelectElement;
      const checkable = element.type === 'radio';
      return {
        tag: element.tagName.toLowerCase(),
        type: element instanceof HTMLInputElement ? element.type : '',
        autocomplete: attribute('autocomplete').toLowerCase(),
        inputMode: attribute('inputmode'),
        name: attribute('name'),
        id: attribute('id'),
        placeholder: attribute('placeholder'),
        pattern: attribute('pattern'),
        title: attribute('title'),
        label: labelText(element),
        ariaLabel: ariaText(element),
        rowLabel: limited(heading.label),
        before: index === undefined ? '' : textBeside(order, index, heading.block, -1),
        after: index === undefined ? '' : textBeside(order, index, heading.block, 1),
        value: checkable ? limited(element.value) : '',
        maxLength: element instanceof HTMLSelectElement ? -1 : element.maxLength,
        size: numberAttribute(element, 'size'),
        row: rows.get(block),
        selectedIndex: isSelect ? element.selectedIndex : -1,
        hasText: hasText(element),
        options: isSelect ? Array.from(element.options).map((option) => ({
                              text: limited(collapse(option.text)),
                              value: limited(option.value),
                            }))
                          : [],
      };
    });
  }

  function describeChosenForm(at) {
    const group = chosenGroup(at);
    if (group === undefined)
      return {status: 'frame'};
    if (group === null)
      return {status: 'none'};
    const elements = groupControls(group).filter(fillable);
    // A form the parser left empty, as inside a table, owns boxes outside
    // itself: their text is then read from the whole page.
    const page = document.body ?? document.documentElement;
    const bound = group.form && elements.every((element) => group.form.contains(element))
        ? group.form : page;
    const token = Array.from(crypto.getRandomValues(new Uint32Array(4)), (n) => n.toString(16))
                      .join('');
    globalThis[kStateKey] = {token, form: group.form, elements};
    return {status: 'form', token, fields: describe(elements, bound)};
  }

  // --- writing ---------------------------------------------------------------

  function announce(element, ...types) {
    for (const type of types)
      element.dispatchEvent(new Event(type, {bubbles: true}));
  }

  // The mark stays until the user's own first edit of the box.
  function mark(element) {
    const before = element.style.getPropertyValue('outline');
    const priority = element.style.getPropertyPriority('outline');
    element.style.setProperty('outline', kMark, 'important');
    const unmark = (event) => {
      if (!event.isTrusted)
        return;
      element.style.setProperty('outline', before, priority);
      element.removeEventListener('input', unmark);
      element.removeEventListener('change', unmark);
    };
    element.addEventListener('input', unmark);
    element.addEventListener('change', unmark);
  }

  function put(element, value) {
    if (element instanceof HTMLSelectElement) {
      const index = Array.from(element.options)
                        .findIndex((option) => option.value === value && !option.disabled);
      if (index < 0)
        return false;
      element.selectedIndex = index;
      announce(element, 'input', 'change');
      return true;
    }
    if (element.type === 'radio') {
      if (value !== 'checked')
        return false;
      element.checked = true;
      announce(element, 'input', 'change');
      return true;
    }
    // A typing user cannot go past the box's limit, and a cut value is wrong.
    if (element.maxLength >= 0 && value.length > element.maxLength)
      return false;
    element.value = value;
    // A box that refused the value (a date box given another format) is left
    // as it was, without telling the page of a change.
    if (element.value !== value) {
      element.value = '';
      return false;
    }
    announce(element, 'input', 'change');
    return true;
  }

  // Boxes a fill could still use: radio groups count once.
  function emptyPlaces(elements) {
    const seenGroups = new Set();
    let count = 0;
    for (const element of elements) {
      if (!fillable(element) || taken(element))
        continue;
      if (element.type === 'radio') {
        const key = radioGroup(element)[0];
        if (seenGroups.has(key))
          continue;
        seenGroups.add(key);
      }
      ++count;
    }
    return count;
  }

  function write(token, fills) {
    const state = globalThis[kStateKey];
    if (!state || typeof token !== 'string' || state.token !== token || !Array.isArray(fills))
      return {status: 'gone'};
    delete globalThis[kStateKey];
    let filled = 0;
    for (const fill of fills) {
      const element = state.elements[fill?.field];
      if (!element || typeof fill.value !== 'string' || element.form !== state.form)
        continue;
      // The page may have changed since it was described.
      if (!fillable(element) || taken(element))
        continue;
      if (put(element, fill.value)) {
        mark(element);
        ++filled;
      }
    }
    return {status: 'written', filled, left: emptyPlaces(state.elements)};
  }

  const answer = request.action === 'write' ? write(request.token, request.fills)
                                            : describeChosenForm(request.at);
  return JSON.stringify(answer);
})
