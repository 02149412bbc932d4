#!/usr/bin/python3
"""The results page in headless Chromium, at a phone's and a laptop's size: draws made after
it opened appear without a reload, the number field answers as one types, a lost connection
is said. Usage: page_in_chromium.py <webfeed program> <folder for screenshots>"""
import base64, json, os, shutil, subprocess, sys, tempfile, time, urllib.request
import websocket

feed_program, shots = sys.argv[1], sys.argv[2]
os.makedirs(shots, exist_ok=True)
chromium = shutil.which('chromium') or shutil.which('chromium-browser')
if not chromium:
    print('chromium is not installed'); sys.exit(1)

def wait_for(what, check, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError('timed out waiting for ' + what)

class Page:
    def __init__(self, url):
        self.ws = websocket.create_connection(url, timeout=20)
        self.next = 0
    def call(self, method, **params):
        self.next += 1
        self.ws.send(json.dumps({'id': self.next, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('id') == self.next:
                if 'error' in message:
                    raise AssertionError(method + ': ' + json.dumps(message['error']))
                return message.get('result', {})
    def js(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, returnByValue=True)
        return result['result'].get('value')
    def shot(self, name):
        data = self.call('Page.captureScreenshot', format='png')['data']
        with open(os.path.join(shots, name), 'wb') as f:
            f.write(base64.b64decode(data))

feed = subprocess.Popen([feed_program], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
port = int(feed.stdout.readline().split()[1])
base = 'http://127.0.0.1:%d/' % port
profile = tempfile.mkdtemp()
browser = subprocess.Popen([chromium, '--headless=new', '--no-sandbox', '--disable-gpu',
                            '--no-first-run', '--remote-debugging-port=0',
                            '--user-data-dir=' + profile, 'about:blank'],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
failed = False
try:
    active = os.path.join(profile, 'DevToolsActivePort')
    wait_for('Chromium', lambda: os.path.exists(active) and open(active).read().strip(), 30)
    debug_port = open(active).read().split()[0]
    targets = json.load(urllib.request.urlopen('http://127.0.0.1:%s/json/list' % debug_port))
    page = Page([t for t in targets if t['type'] == 'page'][0]['webSocketDebuggerUrl'])
    page.call('Page.enable')
    page.call('Runtime.enable')

    def send(command):
        feed.stdin.write(command + '\n'); feed.stdin.flush()

    for label, width, height, mobile in (('phone', 390, 844, True), ('laptop', 1366, 768, False)):
        send('pass')
        page.call('Emulation.setDeviceMetricsOverride', width=width, height=height,
                  deviceScaleFactor=1, mobile=mobile)
        page.call('Page.navigate', url=base)
        wait_for('the page', lambda: page.js("document.getElementById('title').textContent") ==
                 'Ziehungsergebnisse')
        page.js('window.notReloaded = true')
        rows = "document.getElementById('rows').children.length"
        last = "document.getElementById('last-entry').textContent"
        assert page.js(rows) == 0
        send('draw 17|Teddybär <b>groß</b>')
        wait_for('the first draw', lambda: page.js(last) == '17')
        send('draw 205|Fahrrad')
        wait_for('the second draw', lambda: page.js(last) == '205' and page.js(rows) == 2)
        assert page.js('window.notReloaded === true'), 'the page was reloaded'
        # The prize's markup stays text.
        assert page.js("document.querySelector('#rows b')") is None
        assert page.js("document.querySelector('#rows tr:last-child .prize').textContent") == \
            'Teddybär <b>groß</b>'
        # Typed as a guest types: leading zeros find the number too.
        page.js("document.getElementById('ask').focus()")
        page.call('Input.insertText', text='017')
        wait_for('the answer', lambda: page.js("document.getElementById('answer').className") ==
                 'answer found')
        answer = page.js("document.getElementById('answer').textContent")
        assert answer.startswith('Ja!') and '1 – Teddybär' in answer, answer
        assert page.js("document.querySelector('#rows tr.hit .entry').textContent") == '17'
        page.shot('page-%s.png' % label)
        page.js("var a = document.getElementById('ask'); a.value = '';"
                "a.dispatchEvent(new Event('input'))")
        page.call('Input.insertText', text='999')
        wait_for('no', lambda: page.js("document.getElementById('answer').textContent") ==
                 'Noch nicht gezogen')
        # Nothing overflows the width at this size.
        assert page.js('document.documentElement.scrollWidth <= window.innerWidth'), label
        print(label, 'ok')

    send('end')
    wait_for('the end of the pass', lambda: page.js("document.getElementById('closed').hidden") is False)
    # The program goes away: the page says so and keeps trying.
    feed.stdin.close(); feed.wait(10)
    wait_for('the lost-connection note', lambda: page.js("document.getElementById('lost').hidden") is False, 20)
    page.shot('page-lost.png')
    print('lost connection shown')
except Exception as error:
    failed = True
    print('FAIL:', error)
finally:
    browser.terminate(); browser.wait(10)
    if feed.poll() is None:
        feed.kill()
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failed else 0)
