<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ActiveWindowSource</name>
    <message>
        <source>This desktop session does not tell applications which window is active, so the profile cannot follow it here.</source>
        <translation>此桌面工作階段不告知應用程式哪個視窗處於作用中，因此設定檔無法在此跟隨它切換。</translation>
    </message>
</context>
<context>
    <name>AutoSwitchControl</name>
    <message>
        <source>&amp;Auto-switch profiles</source>
        <translation>自動切換設定檔(&amp;A)</translation>
    </message>
</context>
<context>
    <name>AutoSwitchDialog</name>
    <message>
        <source>Auto-switch profiles</source>
        <translation>自動切換設定檔</translation>
    </message>
    <message>
        <source>AUTO-SWITCH PROFILES</source>
        <translation>自動切換設定檔</translation>
    </message>
    <message>
        <source>Switch profiles as these applications gain the focus</source>
        <translation>這些應用程式取得焦點時切換設定檔</translation>
    </message>
    <message>
        <source>Some lines of the rule file were left out: %1</source>
        <translation>規則檔中有些行未被採用：%1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>應用程式</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>設定檔</translation>
    </message>
    <message>
        <source>Window class or program path</source>
        <translation>視窗類別或程式路徑</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Every other window:</source>
        <translation>其他所有視窗：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Leave the mouse as it is</source>
        <translation>保持滑鼠不變</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>設定檔 %1</translation>
    </message>
</context>
<context>
    <name>ButtonCatalogue</name>
    <message>
        <source>Left</source>
        <translation>左鍵</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右鍵</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中鍵</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前進</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>後退</translation>
    </message>
    <message>
        <source>DPI -</source>
        <translation>DPI -</translation>
    </message>
    <message>
        <source>DPI +</source>
        <translation>DPI +</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>滾輪向上</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>滾輪向下</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪下</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼上</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>尋找</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>列印</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>切換視窗</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>關閉視窗</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>我的電腦</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>執行</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>顯示桌面</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>老闆鍵</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>鎖定電腦</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>瀏覽器首頁</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>瀏覽器上一頁</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>瀏覽器下一頁</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>瀏覽器停止</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>瀏覽器重新整理</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>瀏覽器搜尋</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>瀏覽器我的最愛</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>郵件</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暫停</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>上一首</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>下一首</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>音量加</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>音量減</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>媒體播放器</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>單鍵</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>巨集管理</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>槍械檔案管理</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>連發鍵</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>按鍵關閉</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>DPI 切換</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>回報率切換</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>回報率 +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>回報率 -</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>設定檔切換</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>設定檔 +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>設定檔 -</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>組合鍵</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>燈光開關</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>狙擊</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>基本</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>進階</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>多媒體</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>設定檔選單</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>回報率</translation>
    </message>
</context>
<context>
    <name>ButtonModel</name>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Win</source>
        <translation>Win</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Fire: %1 ×%2, %3 ms</source>
        <translation>連發：%1 ×%2，%3 毫秒</translation>
    </message>
    <message>
        <source>Macro: %1</source>
        <translation>巨集：%1</translation>
    </message>
    <message>
        <source>Gun file: %1</source>
        <translation>槍械檔案：%1</translation>
    </message>
</context>
<context>
    <name>HColorArea</name>
    <message>
        <source>Hue</source>
        <translation>色相</translation>
    </message>
</context>
<context>
    <name>ImportReport</name>
    <message>
        <source>out of range</source>
        <translation>超出範圍</translation>
    </message>
    <message>
        <source>not a valid value</source>
        <translation>不是有效的值</translation>
    </message>
    <message>
        <source>unknown key</source>
        <translation>未知的鍵</translation>
    </message>
    <message>
        <source>name refused</source>
        <translation>名稱被拒絕</translation>
    </message>
    <message>
        <source>missing section</source>
        <translation>缺少區段</translation>
    </message>
    <message>
        <source>missing keys</source>
        <translation>缺少鍵</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>KEY</source>
        <translation>按鍵</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>動作</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>延遲(毫秒)</translation>
    </message>
    <message>
        <source>MACRO LIST</source>
        <translation>巨集清單</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>重新命名</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>批次</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>槍械設定</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>置頂</translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation>置底</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>插入延遲</translation>
    </message>
    <message>
        <source>START</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>記錄動作間的延遲</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>插入預設延遲</translation>
    </message>
    <message>
        <source>DEFAULT DELAY(ms)</source>
        <translation>預設延遲(毫秒)</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>循環次數(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>按住按鍵時重複執行</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>重複執行直到再次按下按鍵</translation>
    </message>
    <message>
        <source>LOOPS</source>
        <translation>循環次數</translation>
    </message>
    <message>
        <source>MOUSE COMMAND</source>
        <translation>滑鼠指令</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>按下</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>放開</translation>
    </message>
    <message>
        <source>MOVEMENT</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>WARNING</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation>載入巨集檔案</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>巨集檔案(*.MSMACRO)</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>儲存巨集檔案</translation>
    </message>
    <message>
        <source>KEYS CANNOT BE RECORDED HERE.</source>
        <translation>此處無法錄製按鍵。</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>MOUSE MEMORY: %1/%2 BYTES · MACRO SLOTS IN USE: %3/%4</source>
        <translation>滑鼠記憶體：%1/%2 位元組 · 已用巨集槽位：%3/%4</translation>
    </message>
    <message>
        <source>RECORDING KEYS FROM EVERY WINDOW.</source>
        <translation>正在錄製所有視窗中的按鍵。</translation>
    </message>
    <message>
        <source>RECORDING KEYS TYPED IN THIS WINDOW ONLY (NO SYSTEM-WIDE CAPTURE HERE).</source>
        <translation>僅錄製在此視窗中輸入的按鍵（此處無法全域擷取按鍵）。</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>巨集已存在！</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>有按鍵尚未放開。</translation>
    </message>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>巨集數量過多，無法建立！</translation>
    </message>
    <message>
        <source>THE MOUSE HOLDS 12 MACROS. THIS PROFILE ALREADY USES ALL OF THEM.</source>
        <translation>滑鼠最多保存 12 個巨集，此設定檔已全部用完。</translation>
    </message>
    <message>
        <source>THIS MACRO IS LONGER THAN THE MOUSE CAN HOLD; ITS END WILL BE CUT.</source>
        <translation>此巨集超出滑鼠可保存的長度，結尾部分將被截斷。</translation>
    </message>
    <message>
        <source>LEFT CLICK</source>
        <translation>左鍵</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>中鍵</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>右鍵</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>前進鍵</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>後退鍵</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>左移</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>右移</translation>
    </message>
    <message>
        <source>&quot;%1&quot; IS NOT A MACRO FILE.</source>
        <translation>「%1」不是巨集檔案。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; WAS NOT IMPORTED: EVENT %2 IS NOT A KEY, MOUSE BUTTON, MOVE OR DELAY.</source>
        <translation>未匯入「%1」：第 %2 個事件不是按鍵、滑鼠按鍵、移動或延遲。</translation>
    </message>
    <message>
        <source>THE MACRO &quot;%1&quot; IS RUN BY:
%2
DELETE IT? THESE BUTTONS GET THEIR FACTORY FUNCTION.</source>
        <translation>以下按鍵正在使用巨集「%1」：
%2
要刪除它嗎？這些按鍵將恢復原廠功能。</translation>
    </message>
    <message>
        <source>WHEEL UP</source>
        <translation>滾輪向上</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>滾輪向下</translation>
    </message>
    <message>
        <source>BUTTON %1</source>
        <translation>按鍵 %1</translation>
    </message>
    <message>
        <source>THESE PROFILES COULD NOT BE CHANGED:</source>
        <translation>以下設定檔無法修改：</translation>
    </message>
    <message>
        <source>PRESS A KEY: IT GOES INTO THE SELECTED ROW.</source>
        <translation>請按一個鍵：它將寫入所選的列。</translation>
    </message>
</context>
<context>
    <name>MirtBtnWindow</name>
    <message>
        <source>WHEEL UP</source>
        <translation>滾輪向上</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>滾輪向下</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>選擇巨集</translation>
    </message>
    <message>
        <source>GUNFILE SELECT</source>
        <translation>選擇槍械檔案</translation>
    </message>
</context>
<context>
    <name>MirtColorArea</name>
    <message>
        <source>Color Edit</source>
        <translation>顏色編輯</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色相</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>飽和度</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>明度</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>紅</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍</translation>
    </message>
    <message>
        <source>Hex colour</source>
        <translation>十六進位顏色</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>預設顏色 %1</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MirtColorWindow</name>
    <message>
        <source>OFF</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>恆亮</translation>
    </message>
    <message>
        <source>7 COLOR</source>
        <translation>七彩</translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation>七彩呼吸</translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation>彩虹</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>波浪</translation>
    </message>
    <message>
        <source>Single WAVE</source>
        <translation>單色波浪</translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation>往返</translation>
    </message>
    <message>
        <source>7 COLOR with tail</source>
        <translation>七彩拖尾</translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation>按鍵回應</translation>
    </message>
    <message>
        <source>Tri-color running</source>
        <translation>三色跑馬</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>燈效</translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>休眠時間</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>移動時關燈</translation>
    </message>
    <message>
        <source>Edit the colour</source>
        <translation>編輯顏色</translation>
    </message>
    <message>
        <source>Choose the effect</source>
        <translation>選擇燈效</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>預設顏色 %1</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> 分鐘</translation>
    </message>
</context>
<context>
    <name>MirtComboKeyWindow</name>
    <message>
        <source>Combo Key</source>
        <translation>組合鍵</translation>
    </message>
    <message>
        <source>Hold the modifiers and press the key…</source>
        <translation>按住輔助鍵，再按下按鍵…</translation>
    </message>
</context>
<context>
    <name>MirtDPIWindow</name>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Current DPI stage %1</source>
        <translation>目前 DPI 段位 %1</translation>
    </message>
</context>
<context>
    <name>MirtFireKeyWindow</name>
    <message>
        <source>FireKey Setting</source>
        <translation>連發鍵設定</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>次數：</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>延遲：</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左鍵</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右鍵</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中鍵</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>鍵盤按鍵</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>請按下按鍵…</translation>
    </message>
    <message>
        <source>Choose what fires, or Keyboard Key to press one.</source>
        <translation>選擇連發的按鍵，或選「鍵盤按鍵」後按下一個鍵。</translation>
    </message>
</context>
<context>
    <name>MirtGunsetDialog</name>
    <message>
        <source>GUN SET</source>
        <translation>槍械設定</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>槍械檔案名稱</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>子彈數</translation>
    </message>
    <message>
        <source>DELAY(MS)</source>
        <translation>延遲(毫秒)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>MirtKeyDialog</name>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MirtMacroSelect</name>
    <message>
        <source>Left Button Can not be Gun Function.</source>
        <translation>左鍵不能設為槍械功能。</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>請輸入檔案名稱。</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>循環次數(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>按住按鍵時重複執行</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>重複執行直到再次按下按鍵</translation>
    </message>
    <message>
        <source>Left Button Macro</source>
        <translation>左鍵巨集</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>MirtMessageBox</name>
    <message>
        <source>Receiver</source>
        <translation>接收器</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>MirtPointSpeed</name>
    <message>
        <source>Mouse Setting</source>
        <translation>滑鼠設定</translation>
    </message>
    <message>
        <source>Open the desktop&apos;s mouse settings</source>
        <translation>開啟桌面的滑鼠設定</translation>
    </message>
    <message>
        <source>POINTER SPEED</source>
        <translation>指標速度</translation>
    </message>
    <message>
        <source>SCROLL SPEED</source>
        <translation>捲動速度</translation>
    </message>
    <message>
        <source>Key Response</source>
        <translation>按鍵回應時間</translation>
    </message>
    <message>
        <source>Enable sync</source>
        <translation>動態同步</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation>靜默高度</translation>
    </message>
    <message>
        <source>Angle Snapping</source>
        <translation>直線修正</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>防抖</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>開</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation>1公釐</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation>2公釐</translation>
    </message>
    <message>
        <source>Enable sync ON</source>
        <translation>動態同步 開</translation>
    </message>
    <message>
        <source>Enable sync OFF</source>
        <translation>動態同步 關</translation>
    </message>
    <message>
        <source>Lift Distance 1mm</source>
        <translation>靜默高度 1公釐</translation>
    </message>
    <message>
        <source>Lift Distance 2mm</source>
        <translation>靜默高度 2公釐</translation>
    </message>
    <message>
        <source>Angle Snapping ON</source>
        <translation>直線修正 開</translation>
    </message>
    <message>
        <source>Angle Snapping OFF</source>
        <translation>直線修正 關</translation>
    </message>
    <message>
        <source>Jitter ON</source>
        <translation>防抖 開</translation>
    </message>
    <message>
        <source>Jitter OFF</source>
        <translation>防抖 關</translation>
    </message>
    <message>
        <source>Pointer speed of the desktop, kept with the profile</source>
        <translation>桌面的指標速度，隨設定檔儲存</translation>
    </message>
    <message>
        <source>This desktop&apos;s pointer speed cannot be changed from here; the value is kept with the profile</source>
        <translation>無法在此變更此桌面的指標速度；此值隨設定檔儲存</translation>
    </message>
    <message>
        <source>No mouse settings program was found on this desktop</source>
        <translation>此桌面上找不到滑鼠設定程式</translation>
    </message>
</context>
<context>
    <name>MirtProcessDialog</name>
    <message>
        <source>Sending data</source>
        <translation>正在傳送資料</translation>
    </message>
</context>
<context>
    <name>MirtReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation>125 HZ</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 HZ</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 HZ</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 HZ</translation>
    </message>
    <message>
        <source>REPORT RATE</source>
        <translation>回報率</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>靜默高度</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 公釐</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 公釐</translation>
    </message>
    <message>
        <source>Choose the report rate</source>
        <translation>選擇回報率</translation>
    </message>
    <message>
        <source>Median %1 Hz</source>
        <translation>中位數 %1 Hz</translation>
    </message>
    <message>
        <source>5th percentile %1 Hz</source>
        <translation>第 5 百分位 %1 Hz</translation>
    </message>
    <message>
        <source>Press, then move the mouse for 3 s.</source>
        <translation>按下後移動滑鼠 3 秒。</translation>
    </message>
    <message>
        <source>Keep moving the mouse... %1 s</source>
        <translation>請持續移動滑鼠… %1 秒</translation>
    </message>
    <message>
        <source>No mouse to test.</source>
        <translation>沒有可測試的滑鼠。</translation>
    </message>
    <message>
        <source>The test could not read the mouse.</source>
        <translation>測試無法讀取滑鼠。</translation>
    </message>
    <message>
        <source>The mouse hardly moved: try again.</source>
        <translation>滑鼠幾乎沒有移動：請重試。</translation>
    </message>
    <message>
        <source>Below 90 % of %1 Hz.
Hub, port or distance?</source>
        <translation>低於 %1 Hz 的 90%。
集線器、連接埠或距離？</translation>
    </message>
    <message>
        <source>The mouse delivers less than 90 % of its report rate. Likely causes: a USB hub or a power-saving port between the computer and the receiver (plug it straight into another port), or the mouse too far from its receiver.</source>
        <translation>滑鼠實際回報率低於設定值的 90%。可能的原因：電腦與接收器之間有 USB 集線器或省電連接埠（請直接插到另一個連接埠），或滑鼠離接收器太遠。</translation>
    </message>
    <message>
        <source>The mouse delivers its rate.</source>
        <translation>滑鼠達到設定的回報率。</translation>
    </message>
    <message>
        <source>TEST RATE</source>
        <translation>測試回報率</translation>
    </message>
    <message>
        <source>Measure the report rate that arrives while you move the mouse</source>
        <translation>移動滑鼠時測量實際收到的回報率</translation>
    </message>
</context>
<context>
    <name>MirtSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>XY 連動</translation>
    </message>
    <message>
        <source>Enable DPI stage %1</source>
        <translation>啟用 DPI 段位 %1</translation>
    </message>
    <message>
        <source>DPI stage %1</source>
        <translation>DPI 段位 %1</translation>
    </message>
</context>
<context>
    <name>MirtSingleKeyWindow</name>
    <message>
        <source>Single Key</source>
        <translation>單鍵</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>請按下按鍵…</translation>
    </message>
</context>
<context>
    <name>MirtTwoBarSlider</name>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
</context>
<context>
    <name>MousecfgWidget</name>
    <message>
        <source> - simulated mouse</source>
        <translation> - 模擬滑鼠</translation>
    </message>
    <message>
        <source>THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE 70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.</source>
        <translation>滑鼠已連接，但目前使用者無權開啟它。請安裝 udev 規則 70-mousecfg.rules（見 README）並重新插入滑鼠。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>接收器未連接！</translation>
    </message>
    <message>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>要更新韌體，請用傳輸線將滑鼠連接到電腦。</translation>
    </message>
    <message>
        <source>Do you want to upgrade the firmware?</source>
        <translation>確定要升級韌體嗎？</translation>
    </message>
    <message>
        <source>The firmware updater could not be started.</source>
        <translation>無法啟動韌體更新程式。</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>滑鼠已關閉</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>設定檔</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>125 HZ</source>
        <translation>125 HZ</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 HZ</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 HZ</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 HZ</translation>
    </message>
    <message>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>至少需要保留一個左鍵功能。</translation>
    </message>
    <message>
        <source>THE MOUSE DID NOT SWITCH TO PROFILE %1.</source>
        <translation>滑鼠未能切換到設定檔 %1。</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>韌體更新</translation>
    </message>
    <message>
        <source>Receiver connected</source>
        <translation>接收器已連接</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>燈光</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>自訂</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>巨集</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>Press Enter To Apply</source>
        <translation>按 Enter 鍵套用</translation>
    </message>
    <message>
        <source>Profile Library</source>
        <translation>設定檔庫</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>重設</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>全部重設</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>載入</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>正面</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>側面</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>&amp;Load Config</source>
        <translation>開啟主畫面(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>結束(&amp;Q)</translation>
    </message>
    <message>
        <source>MousecfgWidget</source>
        <translation>滑鼠設定</translation>
    </message>
    <message>
        <source>ANOTHER PROGRAM CHANGED THE STORED PROFILE %1, WHICH YOU HAVE EDITED HERE. LOAD THE STORED ONE? (NO KEEPS YOUR EDITS.)</source>
        <translation>另一個程式變更了已儲存的設定檔 %1，而您在此處已編輯過它。是否載入已儲存的版本？（選擇「否」保留您的編輯。）</translation>
    </message>
    <message>
        <source>The firmware of this mouse is updated with its maker&apos;s firmware updater, a Windows program from the maker&apos;s support page. It needs Windows, with the mouse connected by its cable; mousecfg does not start it.</source>
        <translation>這款滑鼠的韌體需使用其製造商的韌體更新程式進行更新，該程式是 Windows 程式，可從製造商的支援頁面取得。它需要在 Windows 下執行，並以傳輸線連接滑鼠；mousecfg 不會啟動它。</translation>
    </message>
    <message>
        <source>A firmware updater for this system can be named in Config.ini: Updater in the section [Firmware].</source>
        <translation>可以在 Config.ini 中指定適用於本系統的韌體更新程式：[Firmware] 區段中的 Updater。</translation>
    </message>
    <message>
        <source>Auto-switch: %1</source>
        <translation>自動切換：%1</translation>
    </message>
    <message>
        <source>Auto-switch profiles by application</source>
        <translation>依應用程式自動切換設定檔</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>The name is empty.</source>
        <translation>名稱為空。</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not allowed.</source>
        <translation>不允許使用名稱「%1」。</translation>
    </message>
    <message>
        <source>The name must not contain &apos;/&apos; or &apos;\&apos;.</source>
        <translation>名稱中不能包含「/」或「\」。</translation>
    </message>
    <message>
        <source>The name must not contain control characters.</source>
        <translation>名稱中不能包含控制字元。</translation>
    </message>
    <message>
        <source>The name is too long.</source>
        <translation>名稱太長。</translation>
    </message>
</context>
<context>
    <name>PreviewColorArea</name>
    <message>
        <source>Preview</source>
        <translation>預覽</translation>
    </message>
</context>
<context>
    <name>ProfileCommandHost</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <source>Profile is Already Used!</source>
        <translation>此設定檔已被使用！</translation>
    </message>
    <message>
        <source>Profile Exist!</source>
        <translation>設定檔已存在！</translation>
    </message>
    <message>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>至少需要保留一個設定檔。</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation>預設設定檔無法刪除或重新命名。</translation>
    </message>
    <message>
        <source>Are you sure you want delete this profile?</source>
        <translation>確定要刪除此設定檔嗎？</translation>
    </message>
    <message>
        <source>Are you sure you want reset this profile?</source>
        <translation>確定要重設此設定檔嗎？</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>確定要重設所有設定檔嗎？</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>此檔案與目前的滑鼠不相符！</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>傳送資料失敗，請再試一次。</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.</source>
        <translation>設定檔庫已滿：最多只能保存 200 個設定檔。</translation>
    </message>
    <message>
        <source>EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.</source>
        <translation>設定檔庫中的其他設定檔都已被其他槽位使用。</translation>
    </message>
    <message>
        <source>THIS PROFILE IS NOT IN THE PROFILE LIBRARY.</source>
        <translation>此設定檔不在設定檔庫中。</translation>
    </message>
    <message>
        <source>THE PROFILE LIST COULD NOT BE SAVED.</source>
        <translation>無法儲存設定檔清單。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE READ.</source>
        <translation>無法讀取設定檔。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE CREATED.</source>
        <translation>無法建立設定檔。</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE COPIED.</source>
        <translation>無法複製設定檔。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE DELETED.</source>
        <translation>無法刪除設定檔。</translation>
    </message>
    <message>
        <source>THIS NAME CANNOT BE USED FOR A PROFILE.</source>
        <translation>此名稱無法用作設定檔名稱。</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE RENAMED.</source>
        <translation>無法重新命名設定檔。</translation>
    </message>
    <message>
        <source>Save Profile File</source>
        <translation>儲存設定檔</translation>
    </message>
    <message>
        <source>Profile File(*.prof)</source>
        <translation>設定檔(*.prof)</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE SAVED.</source>
        <translation>無法儲存設定檔。</translation>
    </message>
    <message>
        <source>Load Profile File</source>
        <translation>載入設定檔</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE COPIED.</source>
        <translation>無法複製設定檔。</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>儲存全部設定</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>全部設定檔(*.conf)</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE COULD NOT BE SAVED.</source>
        <translation>無法儲存全部設定檔。</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>載入全部設定</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY COULD NOT BE UPDATED.</source>
        <translation>無法更新設定檔庫。</translation>
    </message>
    <message>
        <source>THE SETTINGS COULD NOT BE SAVED: THE NEXT START WOULD LOAD THE OLD ONES.</source>
        <translation>無法儲存設定：下次啟動時將載入舊的設定。</translation>
    </message>
    <message>
        <source>Mouse is sleeping or not connected. Try again?</source>
        <translation>滑鼠處於休眠狀態或未連接。是否重試？</translation>
    </message>
    <message>
        <source>A PROFILE NAMED &quot;%1&quot; IS ALREADY IN THE LIBRARY. OVERWRITE IT, KEEP BOTH (THE IMPORTED ONE UNDER A NEW NAME), OR SKIP THE IMPORTED ONE?</source>
        <translation>設定檔庫中已有名為「%1」的設定檔。覆寫它、保留兩者（匯入的設定檔使用新名稱），還是略過匯入的設定檔？</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>覆寫</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>保留兩者</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>略過</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>THE FILE ENDS EARLY OR IS CUT: %1 LACK SETTINGS. NOTHING WAS CHANGED. LOAD WHAT IT HOLDS, THE REST AT FACTORY VALUES?</source>
        <translation>檔案提前結束或被截斷：%1 缺少設定。未做任何變更。是否載入其中已有的內容，其餘使用出廠值？</translation>
    </message>
    <message>
        <source>SETTINGS OF %2 ADJUSTED OR IGNORED WHILE LOADING: %1. THE DETAILS SAY WHICH.</source>
        <translation>載入時 %2 中被調整或忽略的設定：%1 項。詳細資訊中列出了具體項目。</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED.</source>
        <translation>該檔案太大，不可能是全部設定檔。未做任何變更。</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A PROFILE FILE. NOTHING WAS CHANGED.</source>
        <translation>該檔案太大，不可能是設定檔。未做任何變更。</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>全部設定檔被拒絕。未做任何變更。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>設定檔被拒絕。未做任何變更。</translation>
    </message>
</context>
<context>
    <name>ProfileQuestionBox</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細資訊</translation>
    </message>
</context>
<context>
    <name>SVColorArea</name>
    <message>
        <source>Saturation and value</source>
        <translation>飽和度與明度</translation>
    </message>
</context>
<context>
    <name>SimulationMenu</name>
    <message>
        <source>&amp;Simulated mouse</source>
        <translation>模擬滑鼠(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Receiver plugged in</source>
        <translation>插入接收器(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Cable plugged in</source>
        <translation>插入傳輸線(&amp;C)</translation>
    </message>
    <message>
        <source>Press the &amp;DPI button</source>
        <translation>按下 DPI 鍵(&amp;D)</translation>
    </message>
    <message>
        <source>Press the r&amp;eport-rate button</source>
        <translation>按下回報率鍵(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Battery level</source>
        <translation>電池電量(&amp;B)</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>0 % (mouse off)</source>
        <translation>0 %（滑鼠關閉）</translation>
    </message>
    <message>
        <source>C&amp;harging</source>
        <translation>充電中(&amp;H)</translation>
    </message>
</context>
<context>
    <name>TrayLife</name>
    <message>
        <source>Start at lo&amp;gin</source>
        <translation>登入時啟動(&amp;G)</translation>
    </message>
    <message>
        <source>Mouse settings in the system tray</source>
        <translation>系統匣中的滑鼠設定</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未連接</translation>
    </message>
    <message>
        <source>Mouse off</source>
        <translation>滑鼠已關閉</translation>
    </message>
    <message>
        <source>Battery %1 %, charging</source>
        <translation>電量 %1 %，充電中</translation>
    </message>
    <message>
        <source>Battery %1 %</source>
        <translation>電量 %1 %</translation>
    </message>
    <message>
        <source>Mouse battery low</source>
        <translation>滑鼠電量低</translation>
    </message>
    <message>
        <source>%1 % left. Charge the mouse soon.</source>
        <translation>剩餘 %1 %。請儘快為滑鼠充電。</translation>
    </message>
    <message>
        <source>Mouse battery almost empty</source>
        <translation>滑鼠電量即將耗盡</translation>
    </message>
    <message>
        <source>%1 % left. Connect the charging cable now.</source>
        <translation>剩餘 %1 %。請立即連接充電線。</translation>
    </message>
    <message>
        <source>Mouse fully charged</source>
        <translation>滑鼠已充飽電</translation>
    </message>
    <message>
        <source>The battery is full.</source>
        <translation>電池已充飽。</translation>
    </message>
</context>
<context>
    <name>WholeWrite</name>
    <message>
        <source>TOO MANY MACROS: THE MOUSE HOLDS TWELVE. THE SETTINGS WERE WRITTEN, THE MACROS WERE NOT.</source>
        <translation>巨集過多：滑鼠最多保存十二個。設定已寫入，巨集未寫入。</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>傳送資料失敗，請再試一次。</translation>
    </message>
    <message>
        <source>A BUTTON RUNS A MACRO THAT IS NOT IN THE MACRO LIBRARY. THE SETTINGS WERE WRITTEN; THAT BUTTON GOT ITS FACTORY FUNCTION.</source>
        <translation>有按鍵使用的巨集不在巨集庫中。設定已寫入；該按鍵已恢復原廠功能。</translation>
    </message>
</context>
</TS>
