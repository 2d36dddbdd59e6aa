// The main window as HTML, for the page to paint before the engine's code
// has run: the program's own script and wasm run here under Node, over a
// stand-in for the few DOM calls the glue makes, and what main() built is
// written out. Run once for each decimal separator; the two must agree, as
// the page paints before it knows the browser's language.
//
// node prepaint.js SCRIPT WASM > window.html
'use strict';
const fs = require('fs');
const vm = require('vm');

const [script, wasm] = process.argv.slice(2);
const code = fs.readFileSync(script, 'utf8');
const bytes = fs.readFileSync(wasm);

// What the page's HTML parser makes of what is written here; the glue sets
// only these. Anything else it sets stops the build, so that no property the
// program sets can be missing from the painted window.
const VOID = new Set(['input', 'img']);
const REFLECTED = {id: 'id', className: 'class', type: 'type', autocomplete: 'autocomplete', htmlFor: 'for'};

function standIn() {
    const document = {activeElement: null};

    class Style {
        constructor() { this.set = new Map(); }
        text() { return [...this.set].map(([k, v]) => k + ': ' + v).join('; '); }
    }
    const styleOf = () => new Proxy(new Style(), {
        get(style, key) {
            if (key === '_style') return style;
            return style.set.get(kebab(key)) || '';
        },
        set(style, key, value) {
            if (key === 'cssText') throw new Error('stand-in: the glue sets style.cssText');
            value = String(value);
            if (value === '') style.set.delete(kebab(key));
            else style.set.set(kebab(key), value);
            return true;
        },
    });
    const kebab = (key) => String(key).replace(/[A-Z]/g, (c) => '-' + c.toLowerCase());

    class Element {
        constructor(tag, svg) {
            this.localName = tag;
            this.svg = svg;
            this.attributes = new Map();
            this.childNodes = [];
            this.parentNode = null;
            this.style = styleOf();
            this.classList = {
                add: (name) => this.classes(this.classes().concat(name)),
                remove: (name) => this.classes(this.classes().filter((c) => c !== name)),
                contains: (name) => this.classes().includes(name),
                toggle: (name, on) => (on ? this.classList.add(name) : this.classList.remove(name)),
            };
        }
        classes(list) {
            if (!list) return (this.attributes.get('class') || '').split(' ').filter(Boolean);
            this.attributes.set('class', [...new Set(list)].join(' '));
        }
        get tagName() { return this.svg ? this.localName : this.localName.toUpperCase(); }
        setAttribute(name, value) { this.attributes.set(name, String(value)); }
        getAttribute(name) { return this.attributes.has(name) ? this.attributes.get(name) : null; }
        get firstChild() { return this.childNodes[0] || null; }
        get children() { return this.childNodes.filter((c) => c instanceof Element); }
        appendChild(child) {
            if (child.parentNode) child.remove();
            child.parentNode = this;
            this.childNodes.push(child);
            return child;
        }
        append(...children) { for (const c of children) this.appendChild(c); }
        remove() {
            if (!this.parentNode) return;
            const siblings = this.parentNode.childNodes;
            siblings.splice(siblings.indexOf(this), 1);
            this.parentNode = null;
        }
        replaceChildren(...children) {
            for (const c of this.childNodes) if (typeof c !== 'string') c.parentNode = null;
            this.childNodes = [];
            this.append(...children);
        }
        addEventListener() {}
        closest(selector) {
            if (!/^\.[a-z-]+$/.test(selector)) throw new Error('stand-in: closest(' + selector + ')');
            for (let e = this; e instanceof Element; e = e.parentNode)
                if (e.classList.contains(selector.slice(1))) return e;
            return null;
        }
        focus() { document.activeElement = this; }
        get textContent() {
            return this.childNodes.map((c) => (typeof c === 'string' ? c : c.textContent)).join('');
        }
        set textContent(text) {
            this.childNodes = [];
            if (String(text) !== '') this.childNodes.push(String(text));
        }
        get value() { return this.getAttribute('value') || ''; }
        set value(text) { this.setAttribute('value', text); }
        get tabIndex() { return +(this.getAttribute('tabindex') || -1); }
        set tabIndex(n) { this.setAttribute('tabindex', n); }
        get spellcheck() { return this.getAttribute('spellcheck') !== 'false'; }
        set spellcheck(on) { this.setAttribute('spellcheck', on ? 'true' : 'false'); }
        get disabled() { return this.attributes.has('disabled'); }
        set disabled(on) { on ? this.setAttribute('disabled', '') : this.attributes.delete('disabled'); }
    }
    for (const [property, attribute] of Object.entries(REFLECTED)) {
        Object.defineProperty(Element.prototype, property, {
            get() { return this.getAttribute(attribute) || ''; },
            set(v) { this.setAttribute(attribute, v); },
        });
    }
    // Only a button or a box has `disabled`, as in the DOM ('disabled' in el).
    const make = (tag, svg) => {
        const el = new Element(tag, svg);
        return new Proxy(el, {
            has(target, key) {
                if (key === 'disabled') return tag === 'input' || tag === 'button';
                return key in target;
            },
            set(target, key, value) {
                if (!(key in target)) throw new Error('stand-in: the glue sets ' + tag + '.' + String(key));
                target[key] = value;
                return true;
            },
        });
    };

    const body = make('body');
    const root = make('main');
    root.id = 'varendo';
    body.appendChild(root);
    Object.assign(document, {
        body,
        createElement: (tag) => make(tag, false),
        createElementNS: (ns, tag) => make(tag, true),
        getElementById: (id) => {
            const find = (e) => (e.id === id ? e : e.children.map(find).find(Boolean) || null);
            return find(body);
        },
    });
    return {document, root};
}

const escapeText = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const escapeAttribute = (s) => escapeText(s).replace(/"/g, '&quot;');

// The focus becomes autofocus.
function html(e, focused) {
    if (typeof e === 'string') return escapeText(e);
    const attributes = new Map(e.attributes);
    const style = e.style._style;
    if (style.set.size) attributes.set('style', style.text());
    if (e.localName === 'input' && !attributes.has('value')) attributes.set('value', '');
    if (e === focused) attributes.set('autofocus', '');
    const open = '<' + e.localName + [...attributes].map(([k, v]) => ' ' + k + (v === '' && k !== 'value' ? '' : '="' +
        escapeAttribute(v) + '"')).join('') + '>';
    if (VOID.has(e.localName)) return open;
    return open + e.childNodes.map((c) => html(c, focused)).join('') + '</' + e.localName + '>';
}

function paint(language) {
    const {document, root} = standIn();
    return new Promise((resolve, reject) => {
        const Module = {
            instantiateWasm(imports, receive) {
                WebAssembly.instantiate(bytes, imports).then((r) => receive(r.instance, r.module), reject);
                return {};
            },
            postRun: [() => resolve(root.children.map((form) => html(form, document.activeElement)).join('\n'))],
            onAbort: reject,
            print: (s) => process.stderr.write(s + '\n'),
            printErr: (s) => process.stderr.write(s + '\n'),
        };
        const context = vm.createContext({
            Module, document, navigator: {language}, console, setTimeout,
            varendoLetterSpacing: () => null,  // the page's style, or its script, spaces the letters
            location: {href: 'file:///varendo.html'},
        });
        context.window = context.globalThis = context;
        vm.runInContext(code, context, {filename: script});
    });
}

Promise.all(['en-US', 'de-DE'].map(paint)).then(([english, german]) => {
    if (english !== german) {
        process.stderr.write('prepaint.js: the main window differs with the language; the page cannot paint it ' +
                             'before it knows the language.\n--- en-US\n' + english + '\n--- de-DE\n' + german + '\n');
        process.exit(1);
    }
    process.stdout.write(english + '\n');
}, (e) => {
    process.stderr.write('prepaint.js: ' + (e && e.stack || e) + '\n');
    process.exit(1);
});
