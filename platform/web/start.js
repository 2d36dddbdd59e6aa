// The page's own script, run from its head: the main window below it is
// already HTML (prepaint.js wrote it from the program), so the first paint
// shows it. The engine's code, stored gzip-compressed at the page's end, is
// unpacked and compiled after that paint; then the program takes the painted
// elements over (glue.js) and the clicks made meanwhile are acted on, in
// their order.
'use strict';
(function () {
    const root = () => document.getElementById('varendo');

    // Whole-pixel advances, as the desktop's hinted Courier New steps 7 px a
    // character at 9 pt bold: the P-value line's blanks rely on it to stand
    // under the panels. The page's style rounds each font's advance itself
    // (class "whole") where CSS can round; elsewhere the glue and the painted
    // window take the spacing measured here, once a font.
    const rounds = window.CSS && CSS.supports('letter-spacing', 'calc(round(1ch, 1px) - 1ch)');
    const spacing = {};
    window.varendoLetterSpacing = (font) => {
        if (rounds) return null;
        if (font in spacing) return spacing[font];
        const probe = document.createElement('span');
        probe.style.cssText = 'position:absolute;visibility:hidden;white-space:pre;font:' + font;
        probe.textContent = '0'.repeat(100);
        document.body.appendChild(probe);
        const advance = probe.getBoundingClientRect().width / 100;
        probe.remove();
        return spacing[font] = advance > 0 ? Math.round(advance) - advance : 0;
    };
    // There, the painted window's spacing is set in each frame before it is
    // painted, for as much of the window as the browser has read (it may paint
    // before it has read the whole page), until it has read it all.
    const space = () => {
        const done = document.readyState !== 'loading';
        for (const el of document.querySelectorAll('#varendo > .form > .whole'))
            if (!el.style.letterSpacing) el.style.letterSpacing = varendoLetterSpacing(el.style.font) + 'px';
        if (!done) requestAnimationFrame(space);
    };
    if (!rounds) requestAnimationFrame(space);

    // Tab goes round the window, as on the desktop, not out to the page.
    document.addEventListener('keydown', (e) => {
        const form = e.target.closest && e.target.closest('#varendo > .form');
        if (!form || e.key !== 'Tab' || e.ctrlKey || e.altKey || e.metaKey) return;
        const order = [...form.children].filter((c) => c.tabIndex > 0 && !c.disabled && c.offsetParent)
                                        .sort((a, b) => a.tabIndex - b.tabIndex);
        const at = order.indexOf(document.activeElement);
        const next = e.shiftKey ? (at <= 0 ? order.length - 1 : -1) : (at === order.length - 1 ? 0 : -1);
        if (order.length && next >= 0) {
            e.preventDefault();
            order[next].focus();
        }
    });

    // A button clicked (or pressed with Enter or Space) before the engine is
    // ready waits for it; the pointer shows that the window is still starting.
    let started = false, focused = null;
    const early = [];
    document.addEventListener('click', (e) => {
        const button = !started && e.target.closest && e.target.closest('#varendo > .form > button');
        if (button) early.push(button);
    }, true);

    const live = () => {
        started = true;
        root().classList.remove('starting');
        root().removeAttribute('aria-busy');
    };

    const failed = (e) => {
        live();
        const words = document.createElement('p');
        words.id = 'failed';
        words.setAttribute('role', 'alert');
        words.textContent = 'Varendo could not start in this browser (' + e + ').';
        document.body.prepend(words);
    };

    const ready = () => {
        live();
        // The program focuses its first control; the user may have moved on.
        if (focused && focused !== document.activeElement && focused.isConnected && focused.offsetParent &&
            !focused.disabled)
            focused.focus({preventScroll: true});
        // A click the window could no longer have taken (hidden behind a
        // message box, or its window gone) is dropped, as a desktop drops it.
        for (const button of early.splice(0)) {
            if (document.querySelector('dialog[open]')) break;
            if (button.isConnected && button.offsetParent) button.click();
        }
    };

    // The page's base64 text, in parts so that the browser may paint between
    // them, as bytes; gunzipped by the browser as a stream where it can, else
    // by inflate.js.
    const bytes = (name) => {
        const text = [...document.querySelectorAll('script.' + name)].map((s) => s.textContent).join('');
        if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
        const binary = atob(text), out = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; i++) out[i] = binary.charCodeAt(i);
        return out;
    };
    const unpacked = (name, type) => Promise.resolve().then(() => new Response(
        window.DecompressionStream ? new Blob([bytes(name)]).stream().pipeThrough(new DecompressionStream('gzip'))
                                   : varendoInflate(bytes(name)),
        {headers: {'Content-Type': type}}));

    const start = () => {
        // Compiled off the page's thread as it is gunzipped, while the runtime is read.
        const compiled = unpacked('varendo-engine', 'application/wasm').then((wasm) => WebAssembly.compileStreaming
            ? WebAssembly.compileStreaming(wasm) : wasm.arrayBuffer().then((b) => WebAssembly.compile(b)));
        window.Module = {
            instantiateWasm(imports, receive) {
                compiled.then((module) => WebAssembly.instantiate(module, imports).then((instance) => {
                    focused = document.activeElement;
                    receive(instance, module);  // runs main(), which takes the painted window over
                })).catch(failed);
                return {};
            },
            postRun: [ready],
            onAbort: failed,
        };
        unpacked('varendo-runtime', 'text/javascript').then((code) => code.text()).then((code) => {
            const script = document.createElement('script');
            script.textContent = code;
            document.body.appendChild(script);
        }).catch(failed);
    };

    // Once the page is read and its window painted: the first frame that
    // has the window (the engine's first part, after it, has been read),
    // then a task after that frame. A hidden tab runs no frames; it starts
    // by the timer.
    let painted = false, read = false, begun = false;
    const go = () => {
        if (begun || !painted || !read) return;
        begun = true;
        start();
    };
    const frame = () => {
        if (!document.querySelector('script.varendo-engine')) return requestAnimationFrame(frame);
        setTimeout(() => { painted = true; go(); });
    };
    requestAnimationFrame(frame);
    setTimeout(() => { painted = true; go(); }, 1000);
    document.addEventListener('DOMContentLoaded', () => { read = true; go(); });
})();
