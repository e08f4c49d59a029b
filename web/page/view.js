// Shows the core's state: the room list, the texts, the enable states, the
// part combo boxes and the previews (drawn pixel for pixel, enlarged by
// whole multiples only, so that no pixel is smoothed).
'use strict';

const TaviView = (() => {
  let ui = null;
  let root = null;
  let arranged = false;
  const roomSlot = 4;
  const single = window.matchMedia('(max-width: 699px)');

  function attach(main, editorRoot) {
    ui = main;
    root = editorRoot;
    window.addEventListener('resize', layout);
    single.addEventListener('change', layout);
  }

  function sameOptions(select, entries) {
    if (select.options.length !== entries.length) return false;
    return entries.every((entry, index) => select.options[index].text === entry);
  }

  function fillOptions(select, entries) {
    if (sameOptions(select, entries)) return;
    const options = entries.map((entry) => {
      const option = document.createElement('option');
      option.textContent = entry;
      return option;
    });
    select.replaceChildren(...options);
  }

  // The groups' order and members come from the core: each group's previews
  // move beside its combo box (used by the single-column layout), the room's
  // group (slot 4) up to the room list.
  function arrange(groups) {
    if (arranged || !groups.length) return;
    arranged = true;
    for (const group of groups) {
      const box = ui.groupBoxes.get(group.comboId);
      if (!box) continue;
      const room = group.slots.includes(roomSlot);
      (room ? ui.sections.room : ui.sections.groups).appendChild(box.group);
      const label = ui.combos.get(group.comboId).labels[0];
      for (const slot of group.slots) {
        const shot = ui.previews.get(slot);
        if (!shot) continue;
        box.shots.appendChild(shot.box);
        shot.canvas.setAttribute('role', 'img');
        shot.canvas.setAttribute('aria-label', (label ? label.textContent + ' ' : '') + slot);
      }
    }
  }

  function applyGroups(groups) {
    arrange(groups);
    for (const group of groups) {
      const select = ui.combos.get(group.comboId);
      if (!select) continue;
      fillOptions(select, group.entries);
      select.selectedIndex = group.selected;
      select.disabled = !group.enabled;
    }
  }

  function applyPreviews(previews, pictures) {
    for (const picture of pictures || []) {
      const shot = ui.previews.get(picture.slot);
      if (!shot) continue;
      shot.canvas.width = picture.width;
      shot.canvas.height = picture.height;
      if (picture.width > 0 && picture.height > 0) {
        const image = new ImageData(picture.data, picture.width, picture.height);
        // Previews are small and read back (by tests, by assistive tools):
        // kept in memory rather than on the graphics card.
        shot.canvas.getContext('2d', {willReadFrequently: true}).putImageData(image, 0, 0);
      }
    }
    for (const preview of previews) {
      const shot = ui.previews.get(preview.slot);
      if (!shot) continue;
      if (shot.canvas.width !== preview.width) shot.canvas.width = preview.width;
      if (shot.canvas.height !== preview.height) shot.canvas.height = preview.height;
      shot.box.hidden = !preview.visible;
    }
  }

  function apply(state, pictures) {
    if (!state) return;
    fillOptions(ui.roomList, state.rooms || []);
    ui.roomList.selectedIndex = state.selectedRoom;
    ui.autoDisplay.checked = Boolean(state.autoDisplay);
    for (const key of Object.keys(ui.fields)) ui.fields[key].value = state[key] || '';
    for (const key of Object.keys(ui.buttons)) {
      ui.buttons[key].disabled = !(state.buttons && state.buttons[key]);
    }
    applyGroups(state.groups || []);
    applyPreviews(state.previews || [], pictures);
    layout();
  }

  // Dialog units become CSS pixels by one factor, u; a preview pixel is k
  // CSS pixels, k whole. The editor shows 1.5 pixels a dialog unit and one
  // pixel a preview pixel, so u = 1.5 k keeps its proportions: the largest
  // k that the window nearly fits (a few pixels of scrolling at most).
  function desktopScale() {
    const width = Number(root.style.getPropertyValue('--dialog-w')) || 361;
    const height = Number(root.style.getPropertyValue('--dialog-h')) || 301;
    const bar = document.querySelector('.bar');
    const beside = bar && getComputedStyle(bar.parentNode).display === 'flex';
    const aside = bar ? (beside ? bar.offsetWidth : bar.offsetHeight) : 0;
    const fit = Math.min((window.innerWidth - (beside ? aside : 0) - 16) / width,
      (window.innerHeight - (beside ? 0 : aside) - 2) / height);
    const scale = Math.max(1, Math.min(3, Math.floor(fit / 1.5 + 0.05)));
    const unit = Math.max(1.5 * scale, Math.min(fit, 4.5));
    root.style.setProperty('--u', unit.toFixed(3));
    return scale;
  }

  function singleScale() {
    const room = root.clientWidth - 24;
    let widest = 0;
    for (const shot of ui.previews.values()) widest = Math.max(widest, shot.canvas.width);
    return widest ? Math.max(1, Math.min(3, Math.floor(room / widest))) : 1;
  }

  function layout() {
    if (!ui) return;
    const scale = single.matches ? singleScale() : desktopScale();
    for (const shot of ui.previews.values()) {
      shot.canvas.style.width = shot.canvas.width * scale + 'px';
      shot.canvas.style.height = shot.canvas.height * scale + 'px';
    }
  }

  return {attach, apply, layout};
})();
