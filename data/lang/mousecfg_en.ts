<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ActiveWindowSource</name>
    <message>
        <source>This desktop session does not tell applications which window is active, so the profile cannot follow it here.</source>
        <translation>This desktop session does not tell applications which window is active, so the profile cannot follow it here.</translation>
    </message>
</context>
<context>
    <name>AutoSwitchControl</name>
    <message>
        <source>&amp;Auto-switch profiles</source>
        <translation>&amp;Auto-switch profiles</translation>
    </message>
</context>
<context>
    <name>AutoSwitchDialog</name>
    <message>
        <source>Auto-switch profiles</source>
        <translation>Auto-switch profiles</translation>
    </message>
    <message>
        <source>AUTO-SWITCH PROFILES</source>
        <translation>AUTO-SWITCH PROFILES</translation>
    </message>
    <message>
        <source>Switch profiles as these applications gain the focus</source>
        <translation>Switch profiles as these applications gain the focus</translation>
    </message>
    <message>
        <source>Some lines of the rule file were left out: %1</source>
        <translation>Some lines of the rule file were left out: %1</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Window class or program path</source>
        <translation>Window class or program path</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>ADD</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>DELETE</translation>
    </message>
    <message>
        <source>Every other window:</source>
        <translation>Every other window:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Leave the mouse as it is</source>
        <translation>Leave the mouse as it is</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>Profile %1</translation>
    </message>
</context>
<context>
    <name>ButtonCatalogue</name>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
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
        <translation>Scroll Up</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>Scroll Down</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>Switch Window</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>My Computer</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>Show Desktop</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>Boss Key</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>Lock PC</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>Browser Home</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>Browser Backward</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>Browser Forward</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>Browser Stop</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>Browser Refresh</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>Browser Search</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>Browser Favorite</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Previous Track</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Next Track</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Volume Up</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Volume Down</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>Media Player</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>SINGLE KEY</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>Macro Manager</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>GunFile Manager</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>FIRE KEY</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>Button Off</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>DPI Switch</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>Rate Switch</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>Rate +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>Rate -</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>Profile Switch</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>Profile +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>Profile -</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>COMBO KEY</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>Led Switch</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>SNIPER</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Advance</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>Profile Menu</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>Polling Rate</translation>
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
        <translation>Fire: %1 ×%2, %3 ms</translation>
    </message>
    <message>
        <source>Macro: %1</source>
        <translation>Macro: %1</translation>
    </message>
    <message>
        <source>Gun file: %1</source>
        <translation>Gun file: %1</translation>
    </message>
</context>
<context>
    <name>HColorArea</name>
    <message>
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
</context>
<context>
    <name>ImportReport</name>
    <message>
        <source>out of range</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>not a valid value</source>
        <translation>not a valid value</translation>
    </message>
    <message>
        <source>unknown key</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>name refused</source>
        <translation>name refused</translation>
    </message>
    <message>
        <source>missing section</source>
        <translation>missing section</translation>
    </message>
    <message>
        <source>missing keys</source>
        <translation>missing keys</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>KEY</source>
        <translation>KEY</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>ACTION</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>DELAY(ms)</translation>
    </message>
    <message>
        <source>MACRO LIST</source>
        <translation>MACRO LIST</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NEW</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>DELETE</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>CHANGE NAME</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>BATCH</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>GUN SET</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>DISTANCE</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>TOP</translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation>BOTTOM</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>MOVE UP</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>MOVE DOWN</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>CLEAR</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>INSERT DELAY</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCEL</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>RECORD DELAYS BETWEEN ACTION</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>INSERT DEFAULT DELAY</translation>
    </message>
    <message>
        <source>DEFAULT DELAY(ms)</source>
        <translation>DEFAULT DELAY(ms)</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>LOOPS TIME(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>REPEAT RUN WHEN KEY DOWN</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>REPEAT RUN UNTIL THE KEY DOWN</translation>
    </message>
    <message>
        <source>LOOPS</source>
        <translation>LOOPS</translation>
    </message>
    <message>
        <source>MOUSE COMMAND</source>
        <translation>MOUSE COMMAND</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>PRESS DOWN</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>BOUNCE UP</translation>
    </message>
    <message>
        <source>MOVEMENT</source>
        <translation>MOVEMENT</translation>
    </message>
    <message>
        <source>WARNING</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation>Load Macro File</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Macro File(*.MSMACRO)</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>Save Macro File</translation>
    </message>
    <message>
        <source>KEYS CANNOT BE RECORDED HERE.</source>
        <translation>KEYS CANNOT BE RECORDED HERE.</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>MOUSE MEMORY: %1/%2 BYTES · MACRO SLOTS IN USE: %3/%4</source>
        <translation>MOUSE MEMORY: %1/%2 BYTES · MACRO SLOTS IN USE: %3/%4</translation>
    </message>
    <message>
        <source>RECORDING KEYS FROM EVERY WINDOW.</source>
        <translation>RECORDING KEYS FROM EVERY WINDOW.</translation>
    </message>
    <message>
        <source>RECORDING KEYS TYPED IN THIS WINDOW ONLY (NO SYSTEM-WIDE CAPTURE HERE).</source>
        <translation>RECORDING KEYS TYPED IN THIS WINDOW ONLY (NO SYSTEM-WIDE CAPTURE HERE).</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>Macro Exist!</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</translation>
    </message>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>TOO MANY MACROS TO BE CREATE!</translation>
    </message>
    <message>
        <source>THE MOUSE HOLDS 12 MACROS. THIS PROFILE ALREADY USES ALL OF THEM.</source>
        <translation>THE MOUSE HOLDS 12 MACROS. THIS PROFILE ALREADY USES ALL OF THEM.</translation>
    </message>
    <message>
        <source>THIS MACRO IS LONGER THAN THE MOUSE CAN HOLD; ITS END WILL BE CUT.</source>
        <translation>THIS MACRO IS LONGER THAN THE MOUSE CAN HOLD; ITS END WILL BE CUT.</translation>
    </message>
    <message>
        <source>LEFT CLICK</source>
        <translation>LEFT CLICK</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>MIDDLE CLICK</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>RIGHT CLICK</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>FORWARD</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>BACKWARD</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>MOVE LEFT</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>MOVE RIGHT</translation>
    </message>
    <message>
        <source>&quot;%1&quot; IS NOT A MACRO FILE.</source>
        <translation>&quot;%1&quot; IS NOT A MACRO FILE.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; WAS NOT IMPORTED: EVENT %2 IS NOT A KEY, MOUSE BUTTON, MOVE OR DELAY.</source>
        <translation>&quot;%1&quot; WAS NOT IMPORTED: EVENT %2 IS NOT A KEY, MOUSE BUTTON, MOVE OR DELAY.</translation>
    </message>
    <message>
        <source>THE MACRO &quot;%1&quot; IS RUN BY:
%2
DELETE IT? THESE BUTTONS GET THEIR FACTORY FUNCTION.</source>
        <translation>THE MACRO &quot;%1&quot; IS RUN BY:
%2
DELETE IT? THESE BUTTONS GET THEIR FACTORY FUNCTION.</translation>
    </message>
    <message>
        <source>WHEEL UP</source>
        <translation>WHEEL UP</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>WHEEL DOWN</translation>
    </message>
    <message>
        <source>BUTTON %1</source>
        <translation>BUTTON %1</translation>
    </message>
    <message>
        <source>THESE PROFILES COULD NOT BE CHANGED:</source>
        <translation>THESE PROFILES COULD NOT BE CHANGED:</translation>
    </message>
    <message>
        <source>PRESS A KEY: IT GOES INTO THE SELECTED ROW.</source>
        <translation>PRESS A KEY: IT GOES INTO THE SELECTED ROW.</translation>
    </message>
</context>
<context>
    <name>MirtBtnWindow</name>
    <message>
        <source>WHEEL UP</source>
        <translation>WHEEL UP</translation>
    </message>
    <message>
        <source>WHEEL DOWN</source>
        <translation>WHEEL DOWN</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>MACRO SELECT</translation>
    </message>
    <message>
        <source>GUNFILE SELECT</source>
        <translation>GUNFILE SELECT</translation>
    </message>
</context>
<context>
    <name>MirtColorArea</name>
    <message>
        <source>Color Edit</source>
        <translation>Color Edit</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLOR</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Hex colour</source>
        <translation>Hex colour</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>Preset colour %1</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>APPLY</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MirtColorWindow</name>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>FULL LIGHTED</translation>
    </message>
    <message>
        <source>7 COLOR</source>
        <translation>7 COLOR</translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation>BREATHING</translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation>7 COLOR BREATHING</translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation>RAINBOW</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>WAVE</translation>
    </message>
    <message>
        <source>Single WAVE</source>
        <translation>Single WAVE</translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation>yo-yo</translation>
    </message>
    <message>
        <source>7 COLOR with tail</source>
        <translation>7 COLOR with tail</translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation>REACTIVE</translation>
    </message>
    <message>
        <source>Tri-color running</source>
        <translation>Tri-color running</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>EFFECT</translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation>BRIGHTNESS</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLOR</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>SLEEP TIME</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>MOVE TO LIGHT OFF</translation>
    </message>
    <message>
        <source>Edit the colour</source>
        <translation>Edit the colour</translation>
    </message>
    <message>
        <source>Choose the effect</source>
        <translation>Choose the effect</translation>
    </message>
    <message>
        <source>Preset colour %1</source>
        <translation>Preset colour %1</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MINUTE</translation>
    </message>
</context>
<context>
    <name>MirtComboKeyWindow</name>
    <message>
        <source>Combo Key</source>
        <translation>Combo Key</translation>
    </message>
    <message>
        <source>Hold the modifiers and press the key…</source>
        <translation>Hold the modifiers and press the key…</translation>
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
        <translation>Current DPI stage %1</translation>
    </message>
</context>
<context>
    <name>MirtFireKeyWindow</name>
    <message>
        <source>FireKey Setting</source>
        <translation>FireKey Setting</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>Times:</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>Keyboard Key</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>Press the key…</translation>
    </message>
    <message>
        <source>Choose what fires, or Keyboard Key to press one.</source>
        <translation>Choose what fires, or Keyboard Key to press one.</translation>
    </message>
</context>
<context>
    <name>MirtGunsetDialog</name>
    <message>
        <source>GUN SET</source>
        <translation>GUN SET</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>GUNFILE NAME</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>BULLETS</translation>
    </message>
    <message>
        <source>DELAY(MS)</source>
        <translation>DELAY(MS)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>MirtKeyDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MirtMacroSelect</name>
    <message>
        <source>Left Button Can not be Gun Function.</source>
        <translation>Left Button Can not be Gun Function.</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>Please input file name.</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>LOOPS TIME(1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>REPEAT RUN WHEN KEY DOWN</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>REPEAT RUN UNTILL THE KEY DOWN</translation>
    </message>
    <message>
        <source>Left Button Macro</source>
        <translation>Left Button Macro</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>MirtMessageBox</name>
    <message>
        <source>Receiver</source>
        <translation>Receiver</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>MirtPointSpeed</name>
    <message>
        <source>Mouse Setting</source>
        <translation>Mouse Setting</translation>
    </message>
    <message>
        <source>Open the desktop&apos;s mouse settings</source>
        <translation>Open the desktop&apos;s mouse settings</translation>
    </message>
    <message>
        <source>POINTER SPEED</source>
        <translation>POINTER SPEED</translation>
    </message>
    <message>
        <source>SCROLL SPEED</source>
        <translation>SCROLL SPEED</translation>
    </message>
    <message>
        <source>Key Response</source>
        <translation>Key Response</translation>
    </message>
    <message>
        <source>Enable sync</source>
        <translation>Enable sync</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation>Lift Distance</translation>
    </message>
    <message>
        <source>Angle Snapping</source>
        <translation>Angle Snapping</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>Jitter</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation>1mm</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation>2mm</translation>
    </message>
    <message>
        <source>Enable sync ON</source>
        <translation>Enable sync ON</translation>
    </message>
    <message>
        <source>Enable sync OFF</source>
        <translation>Enable sync OFF</translation>
    </message>
    <message>
        <source>Lift Distance 1mm</source>
        <translation>Lift Distance 1mm</translation>
    </message>
    <message>
        <source>Lift Distance 2mm</source>
        <translation>Lift Distance 2mm</translation>
    </message>
    <message>
        <source>Angle Snapping ON</source>
        <translation>Angle Snapping ON</translation>
    </message>
    <message>
        <source>Angle Snapping OFF</source>
        <translation>Angle Snapping OFF</translation>
    </message>
    <message>
        <source>Jitter ON</source>
        <translation>Jitter ON</translation>
    </message>
    <message>
        <source>Jitter OFF</source>
        <translation>Jitter OFF</translation>
    </message>
    <message>
        <source>Pointer speed of the desktop, kept with the profile</source>
        <translation>Pointer speed of the desktop, kept with the profile</translation>
    </message>
    <message>
        <source>This desktop&apos;s pointer speed cannot be changed from here; the value is kept with the profile</source>
        <translation>This desktop&apos;s pointer speed cannot be changed from here; the value is kept with the profile</translation>
    </message>
    <message>
        <source>No mouse settings program was found on this desktop</source>
        <translation>No mouse settings program was found on this desktop</translation>
    </message>
</context>
<context>
    <name>MirtProcessDialog</name>
    <message>
        <source>Sending data</source>
        <translation>Sending data</translation>
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
        <translation>REPORT RATE</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>Lift off Distance</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 mm</translation>
    </message>
    <message>
        <source>Choose the report rate</source>
        <translation>Choose the report rate</translation>
    </message>
    <message>
        <source>Median %1 Hz</source>
        <translation>Median %1 Hz</translation>
    </message>
    <message>
        <source>5th percentile %1 Hz</source>
        <translation>5th percentile %1 Hz</translation>
    </message>
    <message>
        <source>Press, then move the mouse for 3 s.</source>
        <translation>Press, then move the mouse for 3 s.</translation>
    </message>
    <message>
        <source>Keep moving the mouse... %1 s</source>
        <translation>Keep moving the mouse... %1 s</translation>
    </message>
    <message>
        <source>No mouse to test.</source>
        <translation>No mouse to test.</translation>
    </message>
    <message>
        <source>The test could not read the mouse.</source>
        <translation>The test could not read the mouse.</translation>
    </message>
    <message>
        <source>The mouse hardly moved: try again.</source>
        <translation>The mouse hardly moved: try again.</translation>
    </message>
    <message>
        <source>Below 90 % of %1 Hz.
Hub, port or distance?</source>
        <translation>Below 90 % of %1 Hz.
Hub, port or distance?</translation>
    </message>
    <message>
        <source>The mouse delivers less than 90 % of its report rate. Likely causes: a USB hub or a power-saving port between the computer and the receiver (plug it straight into another port), or the mouse too far from its receiver.</source>
        <translation>The mouse delivers less than 90 % of its report rate. Likely causes: a USB hub or a power-saving port between the computer and the receiver (plug it straight into another port), or the mouse too far from its receiver.</translation>
    </message>
    <message>
        <source>The mouse delivers its rate.</source>
        <translation>The mouse delivers its rate.</translation>
    </message>
    <message>
        <source>TEST RATE</source>
        <translation>TEST RATE</translation>
    </message>
    <message>
        <source>Measure the report rate that arrives while you move the mouse</source>
        <translation>Measure the report rate that arrives while you move the mouse</translation>
    </message>
</context>
<context>
    <name>MirtSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>Link XY</translation>
    </message>
    <message>
        <source>Enable DPI stage %1</source>
        <translation>Enable DPI stage %1</translation>
    </message>
    <message>
        <source>DPI stage %1</source>
        <translation>DPI stage %1</translation>
    </message>
</context>
<context>
    <name>MirtSingleKeyWindow</name>
    <message>
        <source>Single Key</source>
        <translation>Single Key</translation>
    </message>
    <message>
        <source>Press the key…</source>
        <translation>Press the key…</translation>
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
        <translation> - simulated mouse</translation>
    </message>
    <message>
        <source>THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE 70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.</source>
        <translation>THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE 70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>Dongle Disconnect!</translation>
    </message>
    <message>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>To update the firmware, please connect to the computer with a cable.</translation>
    </message>
    <message>
        <source>Do you want to upgrade the firmware?</source>
        <translation>Do you want to upgrade the firmware?</translation>
    </message>
    <message>
        <source>The firmware updater could not be started.</source>
        <translation>The firmware updater could not be started.</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>MOUSE OFF</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profile</translation>
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
        <translation>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</translation>
    </message>
    <message>
        <source>THE MOUSE DID NOT SWITCH TO PROFILE %1.</source>
        <translation>THE MOUSE DID NOT SWITCH TO PROFILE %1.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <source>Receiver connected</source>
        <translation>Receiver connected</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>LIGHTING</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>CUSTOMIZE</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Press Enter To Apply</source>
        <translation>Press Enter To Apply</translation>
    </message>
    <message>
        <source>Profile Library</source>
        <translation>Profile Library</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>ADD</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>DELETE</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>COPY</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Reset All</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>LOAD1</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>&amp;Load Config</source>
        <translation>&amp;Load Config</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>MousecfgWidget</source>
        <translation>MousecfgWidget</translation>
    </message>
    <message>
        <source>ANOTHER PROGRAM CHANGED THE STORED PROFILE %1, WHICH YOU HAVE EDITED HERE. LOAD THE STORED ONE? (NO KEEPS YOUR EDITS.)</source>
        <translation>ANOTHER PROGRAM CHANGED THE STORED PROFILE %1, WHICH YOU HAVE EDITED HERE. LOAD THE STORED ONE? (NO KEEPS YOUR EDITS.)</translation>
    </message>
    <message>
        <source>The firmware of this mouse is updated with its maker&apos;s firmware updater, a Windows program from the maker&apos;s support page. It needs Windows, with the mouse connected by its cable; mousecfg does not start it.</source>
        <translation>The firmware of this mouse is updated with its maker&apos;s firmware updater, a Windows program from the maker&apos;s support page. It needs Windows, with the mouse connected by its cable; mousecfg does not start it.</translation>
    </message>
    <message>
        <source>A firmware updater for this system can be named in Config.ini: Updater in the section [Firmware].</source>
        <translation>A firmware updater for this system can be named in Config.ini: Updater in the section [Firmware].</translation>
    </message>
    <message>
        <source>Auto-switch: %1</source>
        <translation>Auto-switch: %1</translation>
    </message>
    <message>
        <source>Auto-switch profiles by application</source>
        <translation>Auto-switch profiles by application</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>The name is empty.</source>
        <translation>The name is empty.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not allowed.</source>
        <translation>The name &quot;%1&quot; is not allowed.</translation>
    </message>
    <message>
        <source>The name must not contain &apos;/&apos; or &apos;\&apos;.</source>
        <translation>The name must not contain &apos;/&apos; or &apos;\&apos;.</translation>
    </message>
    <message>
        <source>The name must not contain control characters.</source>
        <translation>The name must not contain control characters.</translation>
    </message>
    <message>
        <source>The name is too long.</source>
        <translation>The name is too long.</translation>
    </message>
</context>
<context>
    <name>PreviewColorArea</name>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>ProfileCommandHost</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <source>Profile is Already Used!</source>
        <translation>Profile is Already Used!</translation>
    </message>
    <message>
        <source>Profile Exist!</source>
        <translation>Profile Exist!</translation>
    </message>
    <message>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>AT LEAST ONE PROFILE TO BE RETAINED.</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation>The default Profile cannot be deleted or renamed.</translation>
    </message>
    <message>
        <source>Are you sure you want delete this profile?</source>
        <translation>Are you sure you want delete this profile?</translation>
    </message>
    <message>
        <source>Are you sure you want reset this profile?</source>
        <translation>Are you sure you want reset this profile?</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Are you sure you want reset all profiles?</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>The file is not match current mouse!</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>Send data failed, please try again.</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.</source>
        <translation>THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.</translation>
    </message>
    <message>
        <source>EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.</source>
        <translation>EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.</translation>
    </message>
    <message>
        <source>THIS PROFILE IS NOT IN THE PROFILE LIBRARY.</source>
        <translation>THIS PROFILE IS NOT IN THE PROFILE LIBRARY.</translation>
    </message>
    <message>
        <source>THE PROFILE LIST COULD NOT BE SAVED.</source>
        <translation>THE PROFILE LIST COULD NOT BE SAVED.</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE READ.</source>
        <translation>THE PROFILE FILE COULD NOT BE READ.</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE CREATED.</source>
        <translation>THE PROFILE FILE COULD NOT BE CREATED.</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE COPIED.</source>
        <translation>THE PROFILE COULD NOT BE COPIED.</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE DELETED.</source>
        <translation>THE PROFILE FILE COULD NOT BE DELETED.</translation>
    </message>
    <message>
        <source>THIS NAME CANNOT BE USED FOR A PROFILE.</source>
        <translation>THIS NAME CANNOT BE USED FOR A PROFILE.</translation>
    </message>
    <message>
        <source>THE PROFILE COULD NOT BE RENAMED.</source>
        <translation>THE PROFILE COULD NOT BE RENAMED.</translation>
    </message>
    <message>
        <source>Save Profile File</source>
        <translation>Save Profile File</translation>
    </message>
    <message>
        <source>Profile File(*.prof)</source>
        <translation>Profile File(*.prof)</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE SAVED.</source>
        <translation>THE PROFILE FILE COULD NOT BE SAVED.</translation>
    </message>
    <message>
        <source>Load Profile File</source>
        <translation>Load Profile File</translation>
    </message>
    <message>
        <source>THE PROFILE FILE COULD NOT BE COPIED.</source>
        <translation>THE PROFILE FILE COULD NOT BE COPIED.</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>Save Config File</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>Config File(*.conf)</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE COULD NOT BE SAVED.</source>
        <translation>THE CONFIGURATION FILE COULD NOT BE SAVED.</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>Load Config File</translation>
    </message>
    <message>
        <source>THE PROFILE LIBRARY COULD NOT BE UPDATED.</source>
        <translation>THE PROFILE LIBRARY COULD NOT BE UPDATED.</translation>
    </message>
    <message>
        <source>THE SETTINGS COULD NOT BE SAVED: THE NEXT START WOULD LOAD THE OLD ONES.</source>
        <translation>THE SETTINGS COULD NOT BE SAVED: THE NEXT START WOULD LOAD THE OLD ONES.</translation>
    </message>
    <message>
        <source>Mouse is sleeping or not connected. Try again?</source>
        <translation>Mouse is sleeping or not connected. Try again?</translation>
    </message>
    <message>
        <source>A PROFILE NAMED &quot;%1&quot; IS ALREADY IN THE LIBRARY. OVERWRITE IT, KEEP BOTH (THE IMPORTED ONE UNDER A NEW NAME), OR SKIP THE IMPORTED ONE?</source>
        <translation>A PROFILE NAMED &quot;%1&quot; IS ALREADY IN THE LIBRARY. OVERWRITE IT, KEEP BOTH (THE IMPORTED ONE UNDER A NEW NAME), OR SKIP THE IMPORTED ONE?</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Keep both</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>THE FILE ENDS EARLY OR IS CUT: %1 LACK SETTINGS. NOTHING WAS CHANGED. LOAD WHAT IT HOLDS, THE REST AT FACTORY VALUES?</source>
        <translation>THE FILE ENDS EARLY OR IS CUT: %1 LACK SETTINGS. NOTHING WAS CHANGED. LOAD WHAT IT HOLDS, THE REST AT FACTORY VALUES?</translation>
    </message>
    <message>
        <source>SETTINGS OF %2 ADJUSTED OR IGNORED WHILE LOADING: %1. THE DETAILS SAY WHICH.</source>
        <translation>SETTINGS OF %2 ADJUSTED OR IGNORED WHILE LOADING: %1. THE DETAILS SAY WHICH.</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED.</source>
        <translation>THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED.</translation>
    </message>
    <message>
        <source>THE FILE IS TOO LARGE TO BE A PROFILE FILE. NOTHING WAS CHANGED.</source>
        <translation>THE FILE IS TOO LARGE TO BE A PROFILE FILE. NOTHING WAS CHANGED.</translation>
    </message>
    <message>
        <source>THE CONFIGURATION FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>THE CONFIGURATION FILE WAS REFUSED. NOTHING WAS CHANGED.</translation>
    </message>
    <message>
        <source>THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.</source>
        <translation>THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.</translation>
    </message>
</context>
<context>
    <name>ProfileQuestionBox</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>SVColorArea</name>
    <message>
        <source>Saturation and value</source>
        <translation>Saturation and value</translation>
    </message>
</context>
<context>
    <name>SimulationMenu</name>
    <message>
        <source>&amp;Simulated mouse</source>
        <translation>&amp;Simulated mouse</translation>
    </message>
    <message>
        <source>&amp;Receiver plugged in</source>
        <translation>&amp;Receiver plugged in</translation>
    </message>
    <message>
        <source>&amp;Cable plugged in</source>
        <translation>&amp;Cable plugged in</translation>
    </message>
    <message>
        <source>Press the &amp;DPI button</source>
        <translation>Press the &amp;DPI button</translation>
    </message>
    <message>
        <source>Press the r&amp;eport-rate button</source>
        <translation>Press the r&amp;eport-rate button</translation>
    </message>
    <message>
        <source>&amp;Battery level</source>
        <translation>&amp;Battery level</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>0 % (mouse off)</source>
        <translation>0 % (mouse off)</translation>
    </message>
    <message>
        <source>C&amp;harging</source>
        <translation>C&amp;harging</translation>
    </message>
</context>
<context>
    <name>TrayLife</name>
    <message>
        <source>Start at lo&amp;gin</source>
        <translation>Start at lo&amp;gin</translation>
    </message>
    <message>
        <source>Mouse settings in the system tray</source>
        <translation>Mouse settings in the system tray</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Mouse off</source>
        <translation>Mouse off</translation>
    </message>
    <message>
        <source>Battery %1 %, charging</source>
        <translation>Battery %1 %, charging</translation>
    </message>
    <message>
        <source>Battery %1 %</source>
        <translation>Battery %1 %</translation>
    </message>
    <message>
        <source>Mouse battery low</source>
        <translation>Mouse battery low</translation>
    </message>
    <message>
        <source>%1 % left. Charge the mouse soon.</source>
        <translation>%1 % left. Charge the mouse soon.</translation>
    </message>
    <message>
        <source>Mouse battery almost empty</source>
        <translation>Mouse battery almost empty</translation>
    </message>
    <message>
        <source>%1 % left. Connect the charging cable now.</source>
        <translation>%1 % left. Connect the charging cable now.</translation>
    </message>
    <message>
        <source>Mouse fully charged</source>
        <translation>Mouse fully charged</translation>
    </message>
    <message>
        <source>The battery is full.</source>
        <translation>The battery is full.</translation>
    </message>
</context>
<context>
    <name>WholeWrite</name>
    <message>
        <source>TOO MANY MACROS: THE MOUSE HOLDS TWELVE. THE SETTINGS WERE WRITTEN, THE MACROS WERE NOT.</source>
        <translation>TOO MANY MACROS: THE MOUSE HOLDS TWELVE. THE SETTINGS WERE WRITTEN, THE MACROS WERE NOT.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>Send data failed, please try again.</translation>
    </message>
    <message>
        <source>A BUTTON RUNS A MACRO THAT IS NOT IN THE MACRO LIBRARY. THE SETTINGS WERE WRITTEN; THAT BUTTON GOT ITS FACTORY FUNCTION.</source>
        <translation>A BUTTON RUNS A MACRO THAT IS NOT IN THE MACRO LIBRARY. THE SETTINGS WERE WRITTEN; THAT BUTTON GOT ITS FACTORY FUNCTION.</translation>
    </message>
</context>
</TS>
