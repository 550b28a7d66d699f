<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ActiveWindowSource</name>
    <message>
        <source>This desktop session does not tell applications which window is active, so the profile cannot follow it here.</source>
        <translation>此桌面会话不告知应用程序哪个窗口处于活动状态，因此配置无法在此跟随它切换。</translation>
    </message>
</context>
<context>
    <name>AutoSwitchControl</name>
    <message>
        <source>&amp;Auto-switch profiles</source>
        <translation>自动切换配置(&amp;A)</translation>
    </message>
</context>
<context>
    <name>AutoSwitchDialog</name>
    <message>
        <source>Auto-switch profiles</source>
        <translation>自动切换配置</translation>
    </message>
    <message>
        <source>AUTO-SWITCH PROFILES</source>
        <translation>自动切换配置</translation>
    </message>
    <message>
        <source>Switch profiles as these applications gain the focus</source>
        <translation>这些应用程序获得焦点时切换配置</translation>
    </message>
    <message>
        <source>Some lines of the rule file were left out: %1</source>
        <translation>规则文件中有些行未被采用：%1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Window class or program path</source>
        <translation>窗口类名或程序路径</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Every other window:</source>
        <translation>其他所有窗口：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Leave the mouse as it is</source>
        <translation>保持鼠标不变</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>配置 %1</translation>
    </message>
</context>
<context>
    <name>ButtonCatalogue</name>
    <message>
        <source>Left</source>
        <translation>左键</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右键</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中键</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
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
        <translation>滚轮向上</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>滚轮向下</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>切换窗口</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>关闭窗口</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>我的电脑</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>显示桌面</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>老板键</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>锁定电脑</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>浏览器主页</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>浏览器后退</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>浏览器前进</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>浏览器停止</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>浏览器刷新</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>浏览器搜索</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>浏览器收藏夹</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>邮件</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暂停</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>上一曲</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>下一曲</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>音量加</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>音量减</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>媒体播放器</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>单键</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>宏管理</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>枪械文件管理</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>连发键</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>按键关闭</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>DPI 切换</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>回报率切换</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>回报率 +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>回报率 -</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>配置切换</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>配置 +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>配置 -</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>组合键</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>灯光开关</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>狙击</translation>
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
        <translation>高级</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>多媒体</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>配置菜单</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>回报率</translation>
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
        <translation>连发：%1 ×%2，%3 毫秒</translation>
    </message>
    <message>
        <source>Macro: %1</source>
        <translation>宏：%1</translation>
    </message>
    <message>
        <source>Gun file: %1</source>
        <translation>枪械文件：%1</translation>
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
        <translation>超出范围</translation>
    </message>
    <message>
        <source>not a valid value</source>
        <translation>不是有效的值</translation>
    </message>
    <message>
        <source>unknown key</source>
        <translation>未知的键</translation>
    </message>
    <message>
        <source>name refused</source>
        <translation>名称被拒绝</translation>
    </message>
    <message>
        <source>missing section</source>
        <translation>缺少节</translation>
    </message>
    <message>
        <source>missing keys</source>
        <translation>缺少键</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>KEY</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>动作</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>延迟(毫秒)</translation>
    </message>
    <message>
        <source>MACRO LIST</source>
        <translation>宏列表</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>批量</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>枪械设置</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>置顶</translation>
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
        <translation>清空</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>插入延迟</translation>
    </message>
    <message>
        <source>START</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>记录动作间的延迟</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>插入默认延迟</translation>
    </message>
    <message>
        <source>DEFAULT DELAY(ms)</source>
        <translation>默认延迟(毫秒)</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>循环次数(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>按住按键时重复执行</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>重复执行直到再次按下按键</translation>
    </message>
    <message>
        <source>LOOPS</source>
        <translation>循环次数</translation>
    </message>
    <message>
        <source>MOUSE COMMAND</source>
        <translation>鼠标指令</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>按下</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>弹起</translation>
    </message>
    <message>
        <source>MOVEMENT</source>
        <translation>移动</translation>
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
        <translation>载入宏文件</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>宏文件(*.MSMACRO)</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>保存宏文件</translation>
    </message>
    <message>
        <source>KEYS CANNOT BE RECORDED HERE.</source>
        <translation>此处无法录制按键。</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>MOUSE MEMORY: %1/%2 BYTES · MACRO SLOTS IN USE: %3/%4</source>
        <translation>鼠标内存：%1/%2 字节 · 已用宏槽位：%3/%4</translation>
    </message>
    <message>
        <source>RECORDING KEYS FROM EVERY WINDOW.</source>
        <translation>正在录制所有窗口中的按键。</translation>
    </message>
    <message>
        <source>RECORDING KEYS TYPED IN THIS WINDOW ONLY (NO SYSTEM-WIDE CAPTURE HERE).</source>
        <translation>仅录制在此窗口中输入的按键（此处无法全局捕获按键）。</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>宏已存在！</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>有按键尚未松开。</translation>
    </message>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>宏数量过多，无法创建！</translation>
    </message>
    <message>
        <source>THE MOUSE HOLDS 12 MACROS. THIS PROFILE ALREADY USES ALL OF THEM.</source>
        <translation>鼠标最多保存 12 个宏，此配置已全部用完。</translation>
    </message>
    <message>
        <source>THIS MACRO IS LONGER THAN THE MOUSE CAN HOLD; ITS END WILL BE CUT.</source>
        <translation>此宏超出鼠标可保存的长度，末尾部分将被截断。</translation>
    </message>
    <message>
        <source>LEFT CLICK</source>
        <translation>左键</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>中键</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>右键</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>前进键</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>后退键</translation>
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
        <translation>“%1” 不是宏文件。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; WAS NOT IMPORTED: EVENT %2 IS NOT A KEY, MOUSE BUTTON, MOVE OR DELAY.</source>
        <translation>未导入“%1”：第 %2 个事件不是按键、鼠标按键、移动或延迟。</translation>
    </message>
    <message>
        <source>THE MACRO &quot;%1&quot; IS RUN BY:
%2
DELETE IT? THESE BUTTONS GET THEIR FACTORY FUNCTION.</source>
        <translation>以下按键在使用宏“%1”：
%2
要删除它吗？这些按键将恢复出厂功能。</translation>
    </message>
    <message>
        <source>WHEEL UP</source>
        <translation>滚轮向上</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>滚轮向下</translation>
    </message>
    <message>
        <source>BUTTON %1</source>
        <translation>按键 %1</translation>
    </message>
    <message>
        <source>THESE PROFILES COULD NOT BE CHANGED:</source>
        <translation>以下配置文件无法修改：</translation>
    </message>
    <message>
        <source>PRESS A KEY: IT GOES INTO THE SELECTED ROW.</source>
        <translation>请按一个键：它将写入所选的行。</translation>
    </message>
</context>
<context>
    <name>MirtBtnWindow</name>
    <message>
        <source>WHEEL UP</source>
        <translation>滚轮向上</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>滚轮向下</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>选择宏</translation>
    </message>
    <message>
        <source>GUNFILE SELECT</source>
        <translation>选择枪械文件</translation>
    </message>
</context>
<context>
    <name>MirtColorArea</name>
    <message>
        <source>Color Edit</source>
        <translation>颜色编辑</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色相</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>明度</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Hex colour</source>
        <translation>十六进制颜色</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>预设颜色 %1</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>关闭</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>常亮</translation>
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
        <translation>单色波浪</translation>
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
        <translation>按键响应</translation>
    </message>
    <message>
        <source>Tri-color running</source>
        <translation>三色跑马</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>灯效</translation>
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
        <translation>颜色</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>休眠时间</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>移动时关灯</translation>
    </message>
    <message>
        <source>Edit the colour</source>
        <translation>编辑颜色</translation>
    </message>
    <message>
        <source>Choose the effect</source>
        <translation>选择灯效</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>预设颜色 %1</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> 分钟</translation>
    </message>
</context>
<context>
    <name>MirtComboKeyWindow</name>
    <message>
        <source>Combo Key</source>
        <translation>组合键</translation>
    </message>
    <message>
        <source>Hold the modifiers and press the key…</source>
        <translation>按住修饰键，再按下按键…</translation>
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
        <translation>当前 DPI 档位 %1</translation>
    </message>
</context>
<context>
    <name>MirtFireKeyWindow</name>
    <message>
        <source>FireKey Setting</source>
        <translation>连发键设置</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>次数：</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>延迟：</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左键</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右键</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中键</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>键盘按键</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>请按下按键…</translation>
    </message>
    <message>
        <source>Choose what fires, or Keyboard Key to press one.</source>
        <translation>选择连发的按键，或选“键盘按键”后按下一个键。</translation>
    </message>
</context>
<context>
    <name>MirtGunsetDialog</name>
    <message>
        <source>GUN SET</source>
        <translation>枪械设置</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>枪械文件名称</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>子弹数</translation>
    </message>
    <message>
        <source>DELAY(MS)</source>
        <translation>延迟(毫秒)</translation>
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
        <translation>确定</translation>
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
        <translation>左键不能设为枪械功能。</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>请输入文件名。</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>循环次数(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>按住按键时重复执行</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>重复执行直到再次按下按键</translation>
    </message>
    <message>
        <source>Left Button Macro</source>
        <translation>左键宏</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>确定</translation>
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
        <translation>鼠标设置</translation>
    </message>
    <message>
        <source>Open the desktop&apos;s mouse settings</source>
        <translation>打开桌面的鼠标设置</translation>
    </message>
    <message>
        <source>POINTER SPEED</source>
        <translation>指针速度</translation>
    </message>
    <message>
        <source>SCROLL SPEED</source>
        <translation>滚动速度</translation>
    </message>
    <message>
        <source>Key Response</source>
        <translation>按键响应时间</translation>
    </message>
    <message>
        <source>Enable sync</source>
        <translation>运动同步</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation>静默高度</translation>
    </message>
    <message>
        <source>Angle Snapping</source>
        <translation>直线修正</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>防抖</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation>1毫米</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation>2毫米</translation>
    </message>
    <message>
        <source>Enable sync ON</source>
        <translation>运动同步 开</translation>
    </message>
    <message>
        <source>Enable sync OFF</source>
        <translation>运动同步 关</translation>
    </message>
    <message>
        <source>Lift Distance 1mm</source>
        <translation>静默高度 1毫米</translation>
    </message>
    <message>
        <source>Lift Distance 2mm</source>
        <translation>静默高度 2毫米</translation>
    </message>
    <message>
        <source>Angle Snapping ON</source>
        <translation>直线修正 开</translation>
    </message>
    <message>
        <source>Angle Snapping OFF</source>
        <translation>直线修正 关</translation>
    </message>
    <message>
        <source>Jitter ON</source>
        <translation>防抖 开</translation>
    </message>
    <message>
        <source>Jitter OFF</source>
        <translation>防抖 关</translation>
    </message>
    <message>
        <source>Pointer speed of the desktop, kept with the profile</source>
        <translation>桌面的指针速度，随配置文件保存</translation>
    </message>
    <message>
        <source>This desktop&apos;s pointer speed cannot be changed from here; the value is kept with the profile</source>
        <translation>无法在此更改此桌面的指针速度；该值随配置文件保存</translation>
    </message>
    <message>
        <source>No mouse settings program was found on this desktop</source>
        <translation>此桌面上未找到鼠标设置程序</translation>
    </message>
</context>
<context>
    <name>MirtProcessDialog</name>
    <message>
        <source>Sending data</source>
        <translation>正在发送数据</translation>
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
        <translation>回报率</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>静默高度</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 毫米</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 毫米</translation>
    </message>
    <message>
        <source>Choose the report rate</source>
        <translation>选择回报率</translation>
    </message>
    <message>
        <source>Median %1 Hz</source>
        <translation>中位数 %1 Hz</translation>
    </message>
    <message>
        <source>5th percentile %1 Hz</source>
        <translation>第 5 百分位 %1 Hz</translation>
    </message>
    <message>
        <source>Press, then move the mouse for 3 s.</source>
        <translation>按下后移动鼠标 3 秒。</translation>
    </message>
    <message>
        <source>Keep moving the mouse... %1 s</source>
        <translation>请持续移动鼠标… %1 秒</translation>
    </message>
    <message>
        <source>No mouse to test.</source>
        <translation>没有可测试的鼠标。</translation>
    </message>
    <message>
        <source>The test could not read the mouse.</source>
        <translation>测试无法读取鼠标。</translation>
    </message>
    <message>
        <source>The mouse hardly moved: try again.</source>
        <translation>鼠标几乎没有移动：请重试。</translation>
    </message>
    <message>
        <source>Below 90 % of %1 Hz.
Hub, port or distance?</source>
        <translation>低于 %1 Hz 的 90%。
集线器、端口或距离？</translation>
    </message>
    <message>
        <source>The mouse delivers less than 90 % of its report rate. Likely causes: a USB hub or a power-saving port between the computer and the receiver (plug it straight into another port), or the mouse too far from its receiver.</source>
        <translation>鼠标实际回报率低于设定值的 90%。可能的原因：电脑与接收器之间有 USB 集线器或省电端口（请直接插到另一个端口），或鼠标离接收器太远。</translation>
    </message>
    <message>
        <source>The mouse delivers its rate.</source>
        <translation>鼠标达到设定的回报率。</translation>
    </message>
    <message>
        <source>TEST RATE</source>
        <translation>测试回报率</translation>
    </message>
    <message>
        <source>Measure the report rate that arrives while you move the mouse</source>
        <translation>移动鼠标时测量实际收到的回报率</translation>
    </message>
</context>
<context>
    <name>MirtSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>XY 联动</translation>
    </message>
    <message>
        <source>Enable DPI stage %1</source>
        <translation>启用 DPI 档位 %1</translation>
    </message>
    <message>
        <source>DPI stage %1</source>
        <translation>DPI 档位 %1</translation>
    </message>
</context>
<context>
    <name>MirtSingleKeyWindow</name>
    <message>
        <source>Single Key</source>
        <translation>单键</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>请按下按键…</translation>
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
        <translation> - 模拟鼠标</translation>
    </message>
    <message>
        <source>THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE 70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.</source>
        <translation>鼠标已连接，但当前用户无权打开它。请安装 udev 规则 70-mousecfg.rules（见 README）并重新插入鼠标。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>接收器未连接！</translation>
    </message>
    <message>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>要更新固件，请用数据线将鼠标连接到电脑。</translation>
    </message>
    <message>
        <source>Do you want to upgrade the firmware?</source>
        <translation>确定要升级固件吗？</translation>
    </message>
    <message>
        <source>The firmware updater could not be started.</source>
        <translation>无法启动固件更新程序。</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>鼠标已关闭</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>配置</translation>
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
        <translation>至少需要保留一个左键功能。</translation>
    </message>
    <message>
        <source>THE MOUSE DID NOT SWITCH TO PROFILE %1.</source>
        <translation>鼠标未能切换到配置 %1。</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>Receiver connected</source>
        <translation>接收器已连接</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>宏</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Press Enter To Apply</source>
        <translation>按回车键应用</translation>
    </message>
    <message>
        <source>Profile Library</source>
        <translation>配置库</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>全部重置</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>正面</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>侧面</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>&amp;Load Config</source>
        <translation>打开主界面(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>MousecfgWidget</source>
        <translation>鼠标设置</translation>
    </message>
    <message>
        <source>ANOTHER PROGRAM CHANGED THE STORED PROFILE %1, WHICH YOU HAVE EDITED HERE. LOAD THE STORED ONE? (NO KEEPS YOUR EDITS.)</source>
        <translation>另一个程序更改了已保存的配置文件 %1，而您在此处已编辑过它。是否载入已保存的版本？（选择“否”保留您的编辑。）</translation>
    </message>
    <message>
        <source>The firmware of this mouse is updated with its maker&apos;s firmware updater, a Windows program from the maker&apos;s support page. It needs Windows, with the mouse connected by its cable; mousecfg does not start it.</source>
        <translation>这款鼠标的固件需使用其制造商的固件更新程序进行更新，该程序是 Windows 程序，可从制造商的支持页面获取。它需要在 Windows 下运行，并用线缆连接鼠标；mousecfg 不会启动它。</translation>
    </message>
    <message>
        <source>A firmware updater for this system can be named in Config.ini: Updater in the section [Firmware].</source>
        <translation>可以在 Config.ini 中指定适用于本系统的固件更新程序：[Firmware] 节中的 Updater。</translation>
    </message>
    <message>
        <source>Auto-switch: %1</source>
        <translation>自动切换：%1</translation>
    </message>
    <message>
        <source>Auto-switch profiles by application</source>
        <translation>按应用程序自动切换配置</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>The name is empty.</source>
        <translation>名称为空。</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not allowed.</source>
        <translation>不允许使用名称“%1”。</translation>
    </message>
    <message>
        <source>The name must not contain &apos;/&apos; or &apos;\&apos;.</source>
        <translation>名称中不能包含“/”或“\”。</translation>
    </message>
    <message>
        <source>The name must not contain control characters.</source>
        <translation>名称中不能包含控制字符。</translation>
    </message>
    <message>
        <source>The name is too long.</source>
        <translation>名称太长。</translation>
    </message>
</context>
<context>
    <name>PreviewColorArea</name>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
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
        <translation>该配置已被使用！</translation>
    </message>
    <message>
        <source>Profile Exist!</source>
        <translation>配置已存在！</translation>
    </message>
    <message>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>至少需要保留一个配置。</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation>默认配置不能删除或重命名。</translation>
    </message>
    <message>
        <source>Are you sure you want delete this profile?</source>
        <translation>确定要删除此配置吗？</translation>
    </message>
    <message>
        <source>Are you sure you want reset this profile?</source>
        <translation>确定要重置此配置吗？</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>确定要重置所有配置吗？</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>该文件与当前鼠标不匹配！</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>发送数据失败，请重试。</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.</source>
        <translation>配置库已满：最多只能保存 200 个配置。</translation>
    </message>
    <message>
        <source>EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.</source>
        <translation>配置库中的其他配置都已被其他槽位使用。</translation>
    </message>
    <message>
        <source>THIS PROFILE IS NOT IN THE PROFILE LIBRARY.</source>
        <translation>此配置不在配置库中。</translation>
    </message>
    <message>
        <source>THE PROFILE LIST COULD NOT BE SAVED.</source>
        <translation>无法保存配置列表。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE READ.</source>
        <translation>无法读取配置文件。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE CREATED.</source>
        <translation>无法创建配置文件。</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE COPIED.</source>
        <translation>无法复制配置。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE DELETED.</source>
        <translation>无法删除配置文件。</translation>
    </message>
    <message>
        <source>THIS NAME CANNOT BE USED FOR A PROFILE.</source>
        <translation>此名称不能用作配置名称。</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE RENAMED.</source>
        <translation>无法重命名配置。</translation>
    </message>
    <message>
        <source>Save Profile File</source>
        <translation>保存配置文件</translation>
    </message>
    <message>
        <source>Profile File(*.prof)</source>
        <translation>配置文件(*.prof)</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE SAVED.</source>
        <translation>无法保存配置文件。</translation>
    </message>
    <message>
        <source>Load Profile File</source>
        <translation>载入配置文件</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE COPIED.</source>
        <translation>无法复制配置文件。</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>保存全部配置</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>全部配置文件(*.conf)</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE COULD NOT BE SAVED.</source>
        <translation>无法保存全部配置文件。</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>载入全部配置</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY COULD NOT BE UPDATED.</source>
        <translation>无法更新配置库。</translation>
    </message>
    <message>
        <source>THE SETTINGS COULD NOT BE SAVED: THE NEXT START WOULD LOAD THE OLD ONES.</source>
        <translation>无法保存设置：下次启动时将载入旧的设置。</translation>
    </message>
    <message>
        <source>Mouse is sleeping or not connected. Try again?</source>
        <translation>鼠标处于休眠状态或未连接。是否重试？</translation>
    </message>
    <message>
        <source>A PROFILE NAMED &quot;%1&quot; IS ALREADY IN THE LIBRARY. OVERWRITE IT, KEEP BOTH (THE IMPORTED ONE UNDER A NEW NAME), OR SKIP THE IMPORTED ONE?</source>
        <translation>配置库中已有名为“%1”的配置。覆盖它、保留两者（导入的配置使用新名称），还是跳过导入的配置？</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>覆盖</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>保留两者</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
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
        <translation>确定</translation>
    </message>
    <message>
        <source>THE FILE ENDS EARLY OR IS CUT: %1 LACK SETTINGS. NOTHING WAS CHANGED. LOAD WHAT IT HOLDS, THE REST AT FACTORY VALUES?</source>
        <translation>文件提前结束或被截断：%1 缺少设置。未做任何更改。是否载入其中已有的内容，其余使用出厂值？</translation>
    </message>
    <message>
        <source>SETTINGS OF %2 ADJUSTED OR IGNORED WHILE LOADING: %1. THE DETAILS SAY WHICH.</source>
        <translation>载入时 %2 中被调整或忽略的设置：%1 项。详细信息中列出了具体项目。</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED.</source>
        <translation>该文件太大，不可能是全部配置文件。未做任何更改。</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A PROFILE FILE. NOTHING WAS CHANGED.</source>
        <translation>该文件太大，不可能是配置文件。未做任何更改。</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>全部配置文件被拒绝。未做任何更改。</translation>
    </message>
    <message>
        <source>THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>配置文件被拒绝。未做任何更改。</translation>
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
        <translation>详细信息</translation>
    </message>
</context>
<context>
    <name>SVColorArea</name>
    <message>
        <source>Saturation and value</source>
        <translation>饱和度与明度</translation>
    </message>
</context>
<context>
    <name>SimulationMenu</name>
    <message>
        <source>&amp;Simulated mouse</source>
        <translation>模拟鼠标(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Receiver plugged in</source>
        <translation>插入接收器(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Cable plugged in</source>
        <translation>插入数据线(&amp;C)</translation>
    </message>
    <message>
        <source>Press the &amp;DPI button</source>
        <translation>按下 DPI 键(&amp;D)</translation>
    </message>
    <message>
        <source>Press the r&amp;eport-rate button</source>
        <translation>按下回报率键(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Battery level</source>
        <translation>电池电量(&amp;B)</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>0 % (mouse off)</source>
        <translation>0 %（鼠标关闭）</translation>
    </message>
    <message>
        <source>C&amp;harging</source>
        <translation>充电中(&amp;H)</translation>
    </message>
</context>
<context>
    <name>TrayLife</name>
    <message>
        <source>Start at lo&amp;gin</source>
        <translation>登录时启动(&amp;G)</translation>
    </message>
    <message>
        <source>Mouse settings in the system tray</source>
        <translation>系统托盘中的鼠标设置</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Mouse off</source>
        <translation>鼠标已关闭</translation>
    </message>
    <message>
        <source>Battery %1 %, charging</source>
        <translation>电量 %1 %，充电中</translation>
    </message>
    <message>
        <source>Battery %1 %</source>
        <translation>电量 %1 %</translation>
    </message>
    <message>
        <source>Mouse battery low</source>
        <translation>鼠标电量低</translation>
    </message>
    <message>
        <source>%1 % left. Charge the mouse soon.</source>
        <translation>剩余 %1 %。请尽快为鼠标充电。</translation>
    </message>
    <message>
        <source>Mouse battery almost empty</source>
        <translation>鼠标电量即将耗尽</translation>
    </message>
    <message>
        <source>%1 % left. Connect the charging cable now.</source>
        <translation>剩余 %1 %。请立即连接充电线。</translation>
    </message>
    <message>
        <source>Mouse fully charged</source>
        <translation>鼠标已充满电</translation>
    </message>
    <message>
        <source>The battery is full.</source>
        <translation>电池已充满。</translation>
    </message>
</context>
<context>
    <name>WholeWrite</name>
    <message>
        <source>TOO MANY MACROS: THE MOUSE HOLDS TWELVE. THE SETTINGS WERE WRITTEN, THE MACROS WERE NOT.</source>
        <translation>宏过多：鼠标最多保存十二个。设置已写入，宏未写入。</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>发送数据失败，请重试。</translation>
    </message>
    <message>
        <source>A BUTTON RUNS A MACRO THAT IS NOT IN THE MACRO LIBRARY. THE SETTINGS WERE WRITTEN; THAT BUTTON GOT ITS FACTORY FUNCTION.</source>
        <translation>有按键使用的宏不在宏库中。设置已写入；该按键已恢复出厂功能。</translation>
    </message>
</context>
</TS>
