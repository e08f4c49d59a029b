// Builds the editor's main dialog and its compose dialog from the dialog
// resources inlined into the page: every label, caption and button text and
// every control's place (in dialog units) comes from the editor's templates.
'use strict';

const TaviEditor = (() => {
  const fieldNames = {
    IDC_FILE_NAME: 'fileName', IDC_NAME: 'name', IDC_REMARKS: 'remarks', IDC_AUTHOR: 'author',
    IDC_COMPOSE_FILE_NAME: 'fileName', IDC_COMPOSE_NAME: 'name',
    IDC_COMPOSE_REMARKS: 'remarks', IDC_COMPOSE_AUTHOR: 'author',
  };
  const buttonNames = {
    IDC_DISPLAY_PARTS: 'display', IDC_OUTPUT_PARTS: 'output', IDC_COMPOSE_PARTS: 'compose',
  };
  // Ctrl+D and Ctrl+W belong to the browser, so those buttons show no key.
  const browserKeys = /\(Ctrl\+[DW]\)$/;
  // A closed combo box is as high as a one-line edit; the template's height
  // includes its drop-down list.
  const closedComboHeight = 12;

  function resources() {
    try {
      return JSON.parse(document.getElementById('tavi-resources').textContent);
    } catch (e) {
      return {dialogs: {}, strings: {}};
    }
  }

  function element(tag, className) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    return made;
  }

  function place(target, control) {
    const height = control.class === 'ComboBox' ? closedComboHeight : control.h;
    target.classList.add('placed');
    target.style.setProperty('--x', control.x);
    target.style.setProperty('--y', control.y);
    target.style.setProperty('--w', control.w);
    target.style.setProperty('--h', height);
  }

  // The label of a control: the Static just before it, or for the list box
  // the Static just after it, as the templates have them.
  function labelIndex(controls, index) {
    const isText = (at) => at >= 0 && at < controls.length &&
      controls[at].class === 'Static' && controls[at].text !== '';
    if (controls[index].class === 'ListBox') return isText(index + 1) ? index + 1 : -1;
    return isText(index - 1) ? index - 1 : -1;
  }

  function makeLabel(control, forId) {
    const label = element('label', 'label');
    label.textContent = control.text;
    label.htmlFor = forId;
    return label;
  }

  // Visible labels keep the full-width space ("名　称"); the accessible name
  // is without it ("名称").
  function name(target, text) {
    const plain = text.replace(/\u3000/g, '');
    if (plain !== text) target.setAttribute('aria-label', plain);
  }

  function styled(control, style) {
    return (control.style || []).includes(style);
  }

  // An edit or a drop-down combo box of the template: a <textarea> where
  // the edit is multi-line, read-only where the edit is.
  function field(control, key, prefix) {
    const made = element(styled(control, 'ES_MULTILINE') ? 'textarea' : 'input', 'field');
    if (made.tagName === 'INPUT') made.type = 'text';
    made.id = prefix + key;
    made.readOnly = styled(control, 'ES_READONLY');
    made.spellcheck = false;
    made.autocomplete = 'off';
    return made;
  }

  function preview(slot) {
    const box = element('div', 'preview');
    box.dataset.slot = String(slot);
    box.hidden = true;
    const canvas = element('canvas');
    canvas.dataset.slot = String(slot);
    canvas.width = 0;
    canvas.height = 0;
    const pick = element('button', 'pick');
    pick.type = 'button';
    pick.textContent = '画像';
    pick.setAttribute('aria-label', '画像を選ぶ (' + String(slot).padStart(2, '0') + ')');
    box.append(canvas, pick);
    return {box, canvas, pick};
  }

  function extent(controls) {
    let width = 0;
    let height = 0;
    for (const control of controls) {
      const h = control.class === 'ComboBox' ? closedComboHeight : control.h;
      width = Math.max(width, control.x + control.w);
      height = Math.max(height, control.y + h);
    }
    const margin = controls.length ? Math.min(...controls.map((c) => c.x)) : 0;
    return {width: width + margin, height: height + margin};
  }

  function sections(root) {
    const made = {};
    for (const key of ['room', 'fields', 'commands', 'groups', 'loose']) {
      made[key] = element('div', 'section section-' + key);
      root.appendChild(made[key]);
    }
    return made;
  }

  // A placed label for the control, from the template's Static at index at.
  function placedLabel(controls, at, forId, used) {
    if (at < 0) return null;
    used.add(at);
    const text = makeLabel(controls[at], forId);
    place(text, controls[at]);
    return text;
  }

  // One builder for each kind of control of the main dialog; each adds its
  // elements to the sections and to what the view and the page are given.
  const mainBuilders = [
    {
      takes: (control) => control.class === 'ListBox',
      build(control, label, made, parts) {
        const list = element('select', 'room-list');
        list.id = 'room-list';
        list.size = 8;
        place(list, control);
        const text = label(list.id);
        if (text) parts.room.appendChild(text);
        parts.room.appendChild(list);
        made.roomList = list;
      },
    },
    {
      takes: (control) => control.class === 'Edit' && fieldNames[control.idName],
      build(control, label, made, parts, rows) {
        const key = fieldNames[control.idName];
        const input = field(control, key, 'main-');
        place(input, control);
        const text = label(input.id);
        if (text) name(input, text.textContent);
        rows.push({y: control.y, nodes: text ? [text, input] : [input]});
        made.fields[key] = input;
      },
    },
    {
      takes: (control) => control.class === 'ComboBox',
      build(control, label, made, parts) {
        const group = element('div', 'group');
        const select = element('select', 'combo');
        select.id = 'combo-' + control.id;
        select.disabled = true;
        select.appendChild(element('option'));
        place(select, control);
        const text = label(select.id);
        if (text) group.appendChild(text);
        const shots = element('div', 'shots');
        group.append(select, shots);
        parts.groups.appendChild(group);
        made.combos.set(control.id, select);
        made.groupBoxes.set(control.id, {group, shots});
      },
    },
    {
      takes: (control) => /^IDC_PREVIEW_SLOT\d+$/.test(control.idName),
      build(control, label, made, parts) {
        const slot = Number(control.idName.replace(/\D+/, ''));
        const shot = preview(slot);
        place(shot.box, control);
        parts.loose.appendChild(shot.box);
        made.previews.set(slot, shot);
      },
    },
    {
      takes: (control) => control.idName === 'IDC_AUTO_DISPLAY',
      build(control, label, made, parts) {
        const box = element('label', 'check');
        const check = element('input');
        check.type = 'checkbox';
        check.id = 'auto-display';
        const text = element('span');
        text.textContent = control.text;
        box.append(check, text);
        place(box, control);
        parts.room.appendChild(box);
        made.autoDisplay = check;
      },
    },
    {
      takes: (control) => control.class === 'Button' && buttonNames[control.idName],
      build(control, label, made, parts) {
        const button = element('button', 'command');
        button.type = 'button';
        button.textContent = control.text.replace(browserKeys, '');
        button.disabled = true;
        place(button, control);
        parts.commands.appendChild(button);
        made.buttons[buttonNames[control.idName]] = button;
      },
    },
  ];

  // Static texts that label no control are shown where they are.
  function looseTexts(controls, used, parts) {
    controls.forEach((control, index) => {
      if (control.class !== 'Static' || !control.text || used.has(index)) return;
      const text = element('span', 'label');
      text.textContent = control.text;
      place(text, control);
      parts.room.appendChild(text);
    });
  }

  // The main dialog. Returns the controls the view fills and the page wires.
  function buildMain(root, dialog) {
    const controls = dialog.controls || [];
    const parts = sections(root);
    const size = extent(controls);
    root.style.setProperty('--dialog-w', size.width);
    root.style.setProperty('--dialog-h', size.height);
    const made = {
      caption: dialog.caption || '', sections: parts, roomList: null, autoDisplay: null,
      fields: {}, buttons: {}, combos: new Map(), groupBoxes: new Map(), previews: new Map(),
    };
    const used = new Set();
    const rows = [];
    controls.forEach((control, index) => {
      const builder = mainBuilders.find((candidate) => candidate.takes(control));
      const label = (forId) => placedLabel(controls, labelIndex(controls, index), forId, used);
      if (builder) builder.build(control, label, made, parts, rows);
    });
    rows.sort((a, b) => a.y - b.y).forEach((row) => parts.fields.append(...row.nodes));
    looseTexts(controls, used, parts);
    return made;
  }

  // The compose dialog: a <dialog> holding a form whose submit button is
  // the template's default push button (合成実行).
  function buildCompose(dialog) {
    const box = element('dialog', 'compose');
    box.id = 'compose';
    const heading = element('h2');
    heading.id = 'compose-title';
    heading.textContent = dialog.caption || '';
    box.setAttribute('aria-labelledby', heading.id);
    const form = element('form');
    form.method = 'dialog';
    const grid = element('div', 'compose-fields');
    const row = element('div', 'box-buttons');
    const made = {box, form, fields: {}, choices: element('datalist'), execute: null, cancel: null};
    made.choices.id = 'compose-choices';
    const controls = dialog.controls || [];
    controls.forEach((control, index) => {
      const key = fieldNames[control.idName || ''];
      const at = labelIndex(controls, index);
      if (key) {
        const input = field(control, key, 'compose-');
        if (control.class === 'ComboBox') input.setAttribute('list', made.choices.id);
        if (at >= 0) {
          grid.appendChild(makeLabel(controls[at], input.id));
          name(input, controls[at].text);
        }
        grid.appendChild(input);
        made.fields[key] = input;
      } else if (control.class === 'Button') {
        const button = element('button');
        button.textContent = control.text;
        const execute = styled(control, 'BS_DEFPUSHBUTTON');
        button.type = execute ? 'submit' : 'button';
        row.appendChild(button);
        made[execute ? 'execute' : 'cancel'] = button;
      }
    });
    form.append(grid, made.choices, row);
    box.append(heading, form);
    document.body.appendChild(box);
    return made;
  }

  function build(root) {
    const res = resources();
    const dialogs = res.dialogs || {};
    const main = buildMain(root, dialogs.IDD_TAVI_DIALOG || {});
    const compose = buildCompose(dialogs.IDD_COMPOSE || {});
    return {main, compose};
  }

  return {build};
})();
