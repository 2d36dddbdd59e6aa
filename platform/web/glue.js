// The web backend's glue to the DOM (platform/web/controls.cpp declares each
// function extern "C"): it makes the page's elements, places and drives them,
// and hands the DOM's events to the program through its varendo_* exports.
// Emscripten links it in with --js-library. Text crosses as UTF-8; what a
// function returns as text it allocates with malloc, for the caller to free.
mergeInto(LibraryManager.library, {
  js_init: function() {
    if (Module.varendo) return;
    const V = Module.varendo = {nodes: [], z: 1, queue: [], clipboard: ""};
    V.root = document.getElementById('varendo') || document.body;
    V.text = (ptr) => UTF8ToString(ptr);
    V.out = (s) => {
        const n = lengthBytesUTF8(s) + 1, p = _malloc(n);
        stringToUTF8(s, p, n);
        return p;
    };
    // A drawing (platform/drawing.h, as JSON) as an SVG element: polygons,
    // lines and texts in their order, in logical pixels.
    V.svg = (drawing) => {
        const ns = 'http://www.w3.org/2000/svg';
        const make = (tag, attributes) => {
            const el = document.createElementNS(ns, tag);
            // (No destructuring here: this Emscripten's minifier drops it in a for-of.)
            for (const name of Object.keys(attributes)) el.setAttribute(name, attributes[name]);
            return el;
        };
        const rgb = (c) => 'rgb(' + c.join(',') + ')';
        const points = (list) => list.map((p) => p.join(',')).join(' ');
        const svg = make('svg', {width: drawing.width, height: drawing.height,
                                 viewBox: '0 0 ' + drawing.width + ' ' + drawing.height, 'aria-hidden': 'true'});
        svg.appendChild(make('rect', {x: 0, y: 0, width: drawing.width, height: drawing.height,
                                      fill: rgb(drawing.background)}));
        for (const s of drawing.shapes) {
            if (s.kind === 'polygon') {
                svg.appendChild(make('polygon', {points: points(s.points), fill: rgb(s.colour)}));
            } else if (s.kind === 'line') {
                const line = make('polyline', {points: points(s.points), fill: 'none', stroke: rgb(s.colour),
                                               'stroke-width': s.width, 'stroke-linejoin': 'miter'});
                if (s.dashed) line.setAttribute('stroke-dasharray', '4 3');
                svg.appendChild(line);
            } else {
                const text = make('text', {x: s.points[0][0], y: s.points[0][1], fill: rgb(s.colour),
                                           'text-anchor': {left: 'start', center: 'middle', right: 'end'}[s.align],
                                           'dominant-baseline': 'text-before-edge',
                                           'font-family': '"Courier New", "Liberation Mono", Cousine, monospace',
                                           'font-size': s.size + 'pt', 'font-weight': s.bold ? 'bold' : 'normal'});
                text.textContent = s.text;
                svg.appendChild(text);
            }
        }
        return svg;
    };
    V.showNext = () => {
        if (V.dialog || !V.queue.length) return;
        const m = V.queue.shift();
        const d = document.createElement('dialog');
        d.className = 'message';
        d.setAttribute('aria-labelledby', 'message-title');
        d.setAttribute('aria-describedby', 'message-text');
        const title = document.createElement('div');
        title.className = 'caption';
        title.id = 'message-title';
        title.textContent = m.title;
        const body = document.createElement('div');
        body.className = 'body';
        if (m.warning) {
            const icon = document.createElement('div');
            icon.className = 'warning';
            icon.setAttribute('aria-hidden', 'true');
            icon.textContent = '!';
            body.appendChild(icon);
        }
        const text = document.createElement('p');
        text.id = 'message-text';
        text.textContent = m.prompt;
        body.appendChild(text);
        const form = document.createElement('form');
        form.method = 'dialog';
        const ok = document.createElement('button');
        ok.textContent = 'OK';
        form.appendChild(ok);
        d.append(title, body, form);
        document.body.appendChild(d);
        V.dialog = d;
        // Escape cancels the dialog, OK (Enter on it) submits: either closes it.
        d.addEventListener('close', () => {
            d.remove();
            V.dialog = null;
            if (m.back && m.back.isConnected) m.back.focus({preventScroll: true});
            V.showNext();
        });
        d.showModal();
        ok.focus();
    };
  },

  js_create: function(kind, form) {
    const V = Module.varendo;
    const id = V.nodes.length;
    const tag = ['div', 'label', 'input', 'button', 'div', 'div'][kind];
    // The page holds the main window as HTML (prepaint.js), its elements
    // numbered in the order the program makes them: each is taken over where
    // it stands, so that nothing moves; a window made later is new.
    let el = document.getElementById('v' + id);
    const painted = !!el && el.localName === tag;
    if (el && !painted) el.remove();
    if (!painted) el = document.createElement(tag);
    el.id = 'v' + id;
    if (kind === 0) {
        el.className = 'form';
        el.style.display = 'none';
        if (painted) {
            el.firstChild.replaceChildren();  // its lines are drawn again
        } else {
            const lines = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
            lines.setAttribute('class', 'lines');
            lines.setAttribute('aria-hidden', 'true');
            el.appendChild(lines);
        }
        // Tab goes round the window by the page's script (start.js).
        el.addEventListener('keydown', (e) => {
            if (!(e.ctrlKey || e.metaKey) || e.altKey || e.key.toLowerCase() !== 'c') return;
            // The window's copy, unless a box copies its selection (the browser's own copy).
            if (_varendo_copy_key(id)) e.preventDefault();
        });
        el.addEventListener('focusin', (e) => {
            const n = V.nodes.indexOf(e.target);
            if (n >= 0) _varendo_focus(id, n);
        });
        if (!painted) V.root.appendChild(el);
    } else {
        el.className = ['', 'label', 'box', 'button', 'picture', 'drawing'][kind];
        if (kind === 2) {
            el.type = 'text';
            el.autocomplete = 'off';
            el.spellcheck = false;
            // Each typed character passes the box's filter first; pasted text does not.
            el.addEventListener('beforeinput', (e) => {
                if (e.inputType !== 'insertText' || !e.data || e.data.length !== 1) return;
                const typed = e.data.charCodeAt(0);
                const code = _varendo_key(id, typed);
                if (code === typed) return;
                e.preventDefault();
                if (code <= 0) return;
                el.setRangeText(String.fromCharCode(code), el.selectionStart, el.selectionEnd, 'end');
                _varendo_change(id);
            });
            el.addEventListener('input', () => _varendo_change(id));
        } else if (kind === 3) {
            el.type = 'button';
            el.addEventListener('click', () => _varendo_click(id));
        } else if (kind === 4 && !el.firstChild) {
            el.appendChild(document.createElement('img')).alt = "";
        }
        if (!painted) V.nodes[form].appendChild(el);
    }
    V.nodes[id] = el;
    return id;
  },

  js_remove: function(id) {
    const V = Module.varendo;
    if (V.nodes[id]) V.nodes[id].remove();
    V.nodes[id] = null;
  },

  js_place: function(id, left, top, width, height) {
    const s = Module.varendo.nodes[id].style;
    s.left = left + 'px';
    s.top = top + 'px';
    s.width = width + 'px';
    s.height = height + 'px';
  },

  js_size: function(id, width, height) {
    const el = Module.varendo.nodes[id];
    el.style.width = width + 'px';
    el.style.height = height + 'px';
    el.firstChild.setAttribute('width', width);
    el.firstChild.setAttribute('height', height);
    el.firstChild.setAttribute('viewBox', '0 0 ' + width + ' ' + height);
  },

  js_font: function(id, face, points, bold) {
    const V = Module.varendo;
    const el = V.nodes[id];
    // The metric-compatible faces where Courier New itself is missing.
    const font = (bold ? 'bold ' : "") + points + 'pt "' + V.text(face) +
                 '", "Liberation Mono", Cousine, "Nimbus Mono PS", Courier, monospace';
    el.style.font = font;
    // Whole-pixel advances: by the page's style, or measured (start.js).
    el.classList.add('whole');
    const spacing = varendoLetterSpacing(font);
    if (spacing !== null) el.style.letterSpacing = spacing + 'px';
  },

  js_show: function(id, shown) {
    Module.varendo.nodes[id].style.display = shown ? "" : 'none';
  },

  // Shown itself, and in a shown window.
  js_is_shown: function(id) {
    const el = Module.varendo.nodes[id];
    const form = el.closest('.form');
    return el.style.display !== 'none' && form.style.display !== 'none';
  },

  js_is_enabled: function(id) {
    return !Module.varendo.nodes[id].classList.contains('disabled');
  },

  js_enable: function(id, enabled) {
    const el = Module.varendo.nodes[id];
    if ('disabled' in el) el.disabled = !enabled;
    el.classList.toggle('disabled', !enabled);
  },

  // A choice's button: aria-pressed tells a screen reader, the style shows it sunk.
  js_pressed: function(id, pressed) {
    Module.varendo.nodes[id].setAttribute('aria-pressed', pressed ? 'true' : 'false');
  },

  js_is_pressed: function(id) {
    return Module.varendo.nodes[id].getAttribute('aria-pressed') === 'true' ? 1 : 0;
  },

  js_focus: function(id) {
    Module.varendo.nodes[id].focus({preventScroll: true});
  },

  js_is_focused: function(id) {
    return document.activeElement === Module.varendo.nodes[id];
  },

  js_raise: function(id) {
    Module.varendo.nodes[id].style.zIndex = ++Module.varendo.z;
  },

  js_tab_index: function(id, index) {
    Module.varendo.nodes[id].tabIndex = index;
  },

  js_line: function(form, x1, y1, x2, y2, colour) {
    const svg = Module.varendo.nodes[form].firstChild;
    if (x2 < 0) x2 = +svg.getAttribute('width') - 1;  // to the panel's right edge
    const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
    // Through the pixels' centres, ends included, as the desktop's pen draws.
    line.setAttribute('x1', x1 + 0.5);
    line.setAttribute('y1', y1 + 0.5);
    line.setAttribute('x2', x2 + 0.5);
    line.setAttribute('y2', y2 + 0.5);
    line.setAttribute('stroke', Module.varendo.text(colour));
    svg.appendChild(line);
  },

  js_set_text: function(id, text) {
    const el = Module.varendo.nodes[id];
    if (el.tagName === 'INPUT') el.value = Module.varendo.text(text);
    else el.textContent = Module.varendo.text(text);
  },

  // A box's text, or a label's or a button's caption.
  js_text: function(id) {
    const el = Module.varendo.nodes[id];
    return Module.varendo.out(el.tagName === 'INPUT' ? el.value : el.textContent);
  },

  js_has_selection: function(id) {
    const el = Module.varendo.nodes[id];
    return el.selectionStart !== el.selectionEnd;
  },

  js_align: function(id, align) {
    Module.varendo.nodes[id].style.textAlign = ['left', 'center', 'right'][align];
  },

  js_class: function(id, name) {
    Module.varendo.nodes[id].classList.add(Module.varendo.text(name));
  },

  js_buddy: function(label, box) {
    Module.varendo.nodes[label].htmlFor = 'v' + box;
  },

  // 1 where the page holds the picture, 0 where it does not.
  js_picture: function(id, number) {
    const all = globalThis.varendoPictures || {};
    if (!(number in all)) return 0;
    Module.varendo.nodes[id].firstChild.src = all[number];
    return 1;
  },

  js_message: function(prompt, title, warning) {
    const V = Module.varendo;
    V.queue.push({prompt: V.text(prompt), title: V.text(title), warning: !!warning, back: document.activeElement});
    V.showNext();
  },

  js_clipboard: function(text) {
    const V = Module.varendo;
    const s = V.text(text);
    V.clipboard = s;
    // The Clipboard API, or where it is refused (no secure context, no
    // focus) the older copy command on a hidden text area.
    const fallback = () => {
        const area = document.createElement('textarea');
        area.value = s;
        area.setAttribute('readonly', "");
        area.style.cssText = 'position:fixed;left:-1000px;top:0';
        const back = document.activeElement;
        document.body.appendChild(area);
        area.select();
        try { document.execCommand('copy'); } catch (e) {}
        area.remove();
        if (back) back.focus({preventScroll: true});
    };
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(s).catch(fallback);
    else fallback();
  },

  js_clipboard_text: function() {
    return Module.varendo.out(Module.varendo.clipboard);
  },

  js_decimal_separator: function() {
    try {
        const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
        const d = parts.find((p) => p.type === 'decimal');
        return d ? d.value.charCodeAt(0) : 46;
    } catch (e) {
        return 46;
    }
  },

  // A page cannot end itself: it closes where the browser lets a script close
  // it, and otherwise says that Varendo has ended, with a way to start again.
  js_end: function() {
    const V = Module.varendo;
    V.queue = [];
    if (V.dialog) V.dialog.close();
    for (const el of V.nodes) if (el && el.className === 'form') el.style.display = 'none';
    window.close();
    if (document.getElementById('ended')) return;
    const ended = document.createElement('div');
    ended.id = 'ended';
    ended.setAttribute('role', 'status');
    const words = document.createElement('p');
    words.textContent = 'Varendo has ended.';
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = 'Start again';
    again.addEventListener('click', () => location.reload());
    ended.append(words, again);
    V.root.appendChild(ended);
    again.focus();
  },

  // A box's name for a screen reader, where no label names it.
  js_name: function(id, name) {
    Module.varendo.nodes[id].setAttribute('aria-label', UTF8ToString(name));
  },

  // What a picture shows, as a screen reader reads it.
  js_describe: function(id, words) {
    const el = Module.varendo.nodes[id];
    el.setAttribute('role', 'img');
    el.setAttribute('aria-label', UTF8ToString(words));
  },

  // A drawing, sent as JSON, as inline SVG: shapes that the browser paints at
  // the screen's own resolution, whatever the zoom; its words name it.
  js_drawing: function(id, json) {
    const V = Module.varendo;
    const el = V.nodes[id];
    const drawing = JSON.parse(UTF8ToString(json));
    el.replaceChildren(V.svg(drawing));
    el.setAttribute('role', 'img');
    el.setAttribute('aria-label', drawing.words);
  },

  // A drawing on the clipboard as a PNG image, `scale` times its size. The
  // clipboard takes the promise of the image at once, while the click that
  // asked for it still counts as the user's.
  js_clipboard_picture: function(json, scale) {
    const V = Module.varendo;
    const drawing = JSON.parse(UTF8ToString(json));
    const source = new XMLSerializer().serializeToString(V.svg(drawing));
    V.picture = new Promise((resolve, reject) => {
      const image = new Image();
      image.onload = () => {
        const canvas = document.createElement('canvas');
        canvas.width = Math.ceil(drawing.width * scale);
        canvas.height = Math.ceil(drawing.height * scale);
        canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
        canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('no image'))), 'image/png');
      };
      image.onerror = () => reject(new Error('no image'));
      image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(source);
    });
    if (navigator.clipboard && navigator.clipboard.write && window.ClipboardItem) {
      navigator.clipboard.write([new ClipboardItem({'image/png': V.picture})]).catch(() => {});
    }
  },
});
