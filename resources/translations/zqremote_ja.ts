<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Built with Qt 6</source>
        <translation>Qt 6 で構築</translation>
    </message>
    <message>
        <source>About ZQ-M(V)710ALX</source>
        <translation>ZQ-M(V)710ALX のバージョン情報</translation>
    </message>
</context>
<context>
    <name>AdjustRecordFile</name>
    <message>
        <source>; the file could not be cut back: </source>
        <translation>。ファイルを元の長さに戻せませんでした: </translation>
    </message>
    <message>
        <source>%1 is opend. Please close %1</source>
        <translation>%1 が開かれています。%1 を閉じてください</translation>
    </message>
    <message>
        <source>%1 could not be written: %2.
The record was not made.</source>
        <translation>%1 に書き込めませんでした: %2。
記録は作られていません。</translation>
    </message>
</context>
<context>
    <name>BulkProgress</name>
    <message>
        <source>Reading the camera settings...</source>
        <translation>カメラの設定を読み出しています...</translation>
    </message>
    <message>
        <source>Writing the camera settings...</source>
        <translation>カメラの設定を書き込んでいます...</translation>
    </message>
</context>
<context>
    <name>CameraProbe</name>
    <message>
        <source>%1 at %2 baud answered ENQ, but its identity could not be read: %3</source>
        <translation>%1 (%2 baud) は ENQ に応答しましたが、カメラ情報を読み出せませんでした: %3</translation>
    </message>
</context>
<context>
    <name>CControlApp</name>
    <message>
        <source>Controls a ZQ-M(V)710ALX camera over its serial control channel.</source>
        <translation>ZQ-M(V)710ALX カメラをシリアル制御回線で操作します。</translation>
    </message>
    <message>
        <source>A settings file (.zq) to open and send.</source>
        <translation>開いてカメラへ送る設定ファイル (.zq)。</translation>
    </message>
    <message>
        <source>Put DEVICE behind the button COM N for this run (repeatable).</source>
        <translation>この実行の間、ボタン COM N に DEVICE を割り当てます (繰り返し指定可)。</translation>
    </message>
    <message>
        <source>Append every byte sent and received to FILE.</source>
        <translation>送受信したすべてのバイトを FILE に追記します。</translation>
    </message>
    <message>
        <source>Show the program in LANG: en or ja. Without it, the system&apos;s language.</source>
        <translation>LANG の言語で表示します: en または ja。省略時はシステムの言語です。</translation>
    </message>
    <message>
        <source>--com takes N=DEVICE with N from 1 to %1, not &quot;%2&quot;.</source>
        <translation>--com には N=DEVICE (N は 1 から %1) を指定します。&quot;%2&quot; は使えません。</translation>
    </message>
    <message>
        <source>Cannot write the trace &quot;%1&quot;: %2</source>
        <translation>トレース &quot;%1&quot; に書き込めません: %2</translation>
    </message>
    <message>
        <source>--lang takes en or ja, not &quot;%1&quot;.</source>
        <translation>--lang には en または ja を指定します。&quot;%1&quot; は使えません。</translation>
    </message>
</context>
<context>
    <name>CZQB40Doc</name>
    <message>
        <source>ZQ-M(V)710ALX Files (*.zq)</source>
        <translation>ZQ-M(V)710ALX ファイル (*.zq)</translation>
    </message>
    <message>
        <source>Another camera answers on this port now: %1 serial number %2 before, %3 serial number %4 now.
The panel shows the settings it holds.</source>
        <translation>このポートには別のカメラが接続されています: 以前は %1 シリアル番号 %2、現在は %3 シリアル番号 %4 です。
パネルにはこのカメラの設定を表示しています。</translation>
    </message>
    <message>
        <source>%1 holds no settings yet: nothing was sent to the camera.</source>
        <translation>%1 にはまだ設定がありません: カメラには何も送信していません。</translation>
    </message>
</context>
<context>
    <name>CZQB40View</name>
    <message>
        <source>FACTORY SET returns every setting of the camera to its factory value. The settings it holds now are lost.

Reset the camera?</source>
        <translation>FACTORY SET はカメラのすべての設定を工場出荷時の値に戻します。現在の設定は失われます。

カメラをリセットしますか?</translation>
    </message>
</context>
<context>
    <name>CameraLinkLibrary</name>
    <message>
        <source>it is not a Camera Link serial library: it has no %1</source>
        <translation>Camera Link シリアルライブラリではありません: %1 がありません</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: そのファイルはありません</translation>
    </message>
    <message>
        <source>%1: another Camera Link library is in use (%2)</source>
        <translation>%1: 別の Camera Link ライブラリ (%2) が使用中です</translation>
    </message>
</context>
<context>
    <name>CameraLinkPortDriver</name>
    <message>
        <source>%1: port %2: %3</source>
        <translation>%1: ポート %2: %3</translation>
    </message>
    <message>
        <source>%1: port %2: %3 baud refused: %4</source>
        <translation>%1: ポート %2: %3 bps は受け付けられません: %4</translation>
    </message>
    <message>
        <source>%1: the library cannot set a baud rate</source>
        <translation>%1: このライブラリはボーレートを設定できません</translation>
    </message>
</context>
<context>
    <name>CommSetupDialog</name>
    <message>
        <source>OPEN DLL FILE</source>
        <translation>DLL ファイルを開く</translation>
    </message>
    <message>
        <source>dll file (*.dll);;all file (*.*)</source>
        <translation>DLL ファイル (*.dll);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>dll file (*.dll);;shared library (*.so *.so.*);;all file (*.*)</source>
        <translation>DLL ファイル (*.dll);;共有ライブラリ (*.so *.so.*);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>shared library (*.so *.so.*)</source>
        <translation>共有ライブラリ (*.so *.so.*)</translation>
    </message>
    <message>
        <source> (no such device on this computer)</source>
        <translation> (このコンピューターにはない装置)</translation>
    </message>
    <message>
        <source>
Right-click to choose the serial port behind this button.</source>
        <translation>
右クリックで、このボタンに割り当てるシリアルポートを選べます。</translation>
    </message>
    <message>
        <source>No serial ports found</source>
        <translation>シリアルポートが見つかりません</translation>
    </message>
    <message>
        <source>Default device</source>
        <translation>既定の装置</translation>
    </message>
    <message>
        <source>RS-232C Setting</source>
        <translation>RS-232C 設定</translation>
    </message>
    <message>
        <source>Open Port</source>
        <translation>使用ポート</translation>
    </message>
    <message>
        <source>CameraLink Board</source>
        <translation>Camera Link ボード</translation>
    </message>
    <message>
        <source>Select Board Maker</source>
        <translation>ボードメーカーの選択</translation>
    </message>
    <message>
        <source>Other Factory</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>ボーレート</translation>
    </message>
    <message>
        <source>OPEN</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Select Communication System</source>
        <translation>通信方式の選択</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Searching for cameras...</source>
        <translation>カメラを検索しています...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>No camera answered on the %1 port(s) searched.</source>
        <translation>検索した %1 個のポートで応答したカメラはありません。</translation>
    </message>
    <message>
        <source>%1: %2, serial %3, %4 baud</source>
        <translation>%1: %2、シリアル番号 %3、%4 baud</translation>
    </message>
    <message>
        <source>Cameras found</source>
        <translation>見つかったカメラ</translation>
    </message>
    <message>
        <source>Several cameras answered. Choose one:</source>
        <translation>複数のカメラが応答しました。1 台を選んでください:</translation>
    </message>
    <message>
        <source>Port %1</source>
        <translation>ポート %1</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開く(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>上書き保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Manual Command...</source>
        <translation>手動コマンド...</translation>
    </message>
    <message>
        <source>&amp;Read From Camera	Ctrl+R</source>
        <translation>カメラから読み出し(&amp;R)	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Write To Camera	Ctrl+W</source>
        <translation>カメラへ書き込み(&amp;W)	Ctrl+W</translation>
    </message>
    <message>
        <source>Seria&amp;l Port...	Ctrl+L </source>
        <translation>シリアルポート(&amp;L)...	Ctrl+L </translation>
    </message>
    <message>
        <source>Command Menu </source>
        <translation>コマンドメニュー </translation>
    </message>
    <message>
        <source>&amp;About ZQ-M(V)710ALX...</source>
        <translation>ZQ-M(V)710ALX のバージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Interface</source>
        <translation>インターフェース(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>ManualCommandDialog</name>
    <message>
        <source>Transmission Message</source>
        <translation>送信メッセージ</translation>
    </message>
    <message>
        <source>Received Message</source>
        <translation>受信メッセージ</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読出し</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Manual Command</source>
        <translation>手動コマンド</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>GAIN</source>
        <translation>ゲイン</translation>
    </message>
    <message>
        <source>Adjust-GAIN(L)</source>
        <translation>調整ゲイン(L)</translation>
    </message>
    <message>
        <source>Adjust-GAIN(R)</source>
        <translation>調整ゲイン(R)</translation>
    </message>
    <message>
        <source>BLACK LEVEL</source>
        <translation>黒レベル</translation>
    </message>
    <message>
        <source>Variable Value</source>
        <translation>可変値</translation>
    </message>
    <message>
        <source>START</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>WIDTH</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>RIGHT GAIN</source>
        <translation>右ゲイン</translation>
    </message>
    <message>
        <source>RIGHT BLACK</source>
        <translation>右黒レベル</translation>
    </message>
    <message>
        <source>TRIGGER</source>
        <translation>トリガー</translation>
    </message>
    <message>
        <source>MODE</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>SOURCE</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>POLARITY</source>
        <translation>極性</translation>
    </message>
    <message>
        <source>SHUTTER SPEED</source>
        <translation>シャッター速度</translation>
    </message>
    <message>
        <source>VARIABLE</source>
        <translation>可変</translation>
    </message>
    <message>
        <source>PARTIAL SCAN</source>
        <translation>パーシャルスキャン</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>合計</translation>
    </message>
    <message>
        <source>FACTORY</source>
        <translation>工場設定</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>DATA BIT</source>
        <translation>データ幅</translation>
    </message>
    <message>
        <source>SYNC</source>
        <translation>同期</translation>
    </message>
    <message>
        <source>CONFIG</source>
        <translation>構成</translation>
    </message>
    <message>
        <source>SORT</source>
        <translation>ソート</translation>
    </message>
    <message>
        <source>12pinOUT</source>
        <translation>12pin出力</translation>
    </message>
    <message>
        <source>TEST PATTERN</source>
        <translation>テストパターン</translation>
    </message>
    <message>
        <source>BALANCE ADJUST</source>
        <translation>バランス調整</translation>
    </message>
    <message>
        <source>MANUAL</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>WHITE SPOT CORRECT</source>
        <translation>白キズ補正</translation>
    </message>
    <message>
        <source>DETECT</source>
        <translation>検出</translation>
    </message>
    <message>
        <source>SET SERIAL NUMBER</source>
        <translation>シリアル番号設定</translation>
    </message>
    <message>
        <source>WRITE</source>
        <translation>書込み</translation>
    </message>
    <message>
        <source>7 digits</source>
        <translation>7桁</translation>
    </message>
    <message>
        <source>8 digits</source>
        <translation>8桁</translation>
    </message>
    <message>
        <source>CAMERA INFORMATION</source>
        <translation>カメラ情報</translation>
    </message>
    <message>
        <source>VNEDOR NAME : </source>
        <translation>ベンダー名 : </translation>
    </message>
    <message>
        <source>MODEL NAME : </source>
        <translation>機種名 : </translation>
    </message>
    <message>
        <source>SERIAL NUMBER : </source>
        <translation>シリアル番号 : </translation>
    </message>
    <message>
        <source>VERSION : </source>
        <translation>バージョン : </translation>
    </message>
    <message>
        <source>READ &amp;&amp; RESET</source>
        <translation>読出し&amp;&amp;リセット</translation>
    </message>
</context>
<context>
    <name>PortCatalog</name>
    <message>
        <source>latency timer %1 ms: every reply may wait that long. The program asks for 1 ms while it has the port open. Where the driver does not follow, lower the timer with a udev rule: user guide, &quot;USB serial adapters&quot;.</source>
        <translation>レイテンシタイマー %1 ms: 応答のたびにその時間だけ待つことがあります。本プログラムはポートを開いている間 1 ms を要求します。ドライバーが従わない場合は udev ルールでタイマーを下げてください: ユーザーガイド「USB serial adapters」。</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>only its owner %1 may open it</source>
        <translation>所有者 %1 だけが開けます</translation>
    </message>
    <message>
        <source>it belongs to group &quot;%1&quot;, which this process is in: the device&apos;s own permissions refuse it</source>
        <translation>グループ &quot;%1&quot; の装置です。このプロセスはそのグループに属していますが、装置自体の権限が拒否しています</translation>
    </message>
    <message>
        <source>it belongs to group &quot;%1&quot;: join it (sudo usermod -aG %1 $USER) and log in again</source>
        <translation>グループ &quot;%1&quot; の装置です: そのグループに加わり (sudo usermod -aG %1 $USER)、ログインし直してください</translation>
    </message>
    <message>
        <source> (no such device: unplugged, or another name?)</source>
        <translation> (装置がありません: 抜かれたか、名前が違います)</translation>
    </message>
    <message>
        <source> (another program has it open)</source>
        <translation> (別のプログラムが開いています)</translation>
    </message>
    <message>
        <source> (nothing behind the device: unplugged?)</source>
        <translation> (装置の先に何もありません: 抜かれていませんか)</translation>
    </message>
    <message>
        <source>%1: not a serial device</source>
        <translation>%1: シリアル装置ではありません</translation>
    </message>
    <message>
        <source>%1: %2 (another program holds its lock, or held it a moment ago)</source>
        <translation>%1: %2 (別のプログラムがロックしているか、直前までロックしていました)</translation>
    </message>
    <message>
        <source>%1: in use a moment ago (another program held it)</source>
        <translation>%1: 直前まで使用中でした (別のプログラムが使っていました)</translation>
    </message>
    <message>
        <source> (no such device: unplugged, or another number?)</source>
        <translation> (装置がありません: 抜かれたか、番号が違います)</translation>
    </message>
    <message>
        <source> (not a serial device)</source>
        <translation> (シリアルデバイスではありません)</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%3 件中 %2 件)</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示する。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションを含むヘルプを表示する。</translation>
    </message>
</context>
<context>
    <name>RegisterEditorDialog</name>
    <message>
        <source>Command Menu</source>
        <translation>コマンドメニュー</translation>
    </message>
    <message>
        <source>%1 of the rows on this page were never read from the camera: they hold placeholders, not the camera&apos;s values.
Write the whole page to %2, area %3, page %4 all the same?</source>
        <translation>このページの %1 行はカメラから一度も読み出されていません。カメラの値ではなく仮の値が入っています。
それでも %2、エリア %3、ページ %4 にページ全体を書き込みますか?</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>Board Open Error</source>
        <translation>ボードを開けません</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>SerialNumberService</name>
    <message>
        <source>This camera is not written the Serial Number.
Please tell design engineer.</source>
        <translation>このカメラにはシリアル番号を書き込めません。
設計担当者に連絡してください。</translation>
    </message>
    <message>
        <source>Serial number cannot be written.
Please input the number of %1 digits. </source>
        <translation>シリアル番号を書き込めません。
%1 桁の番号を入力してください。 </translation>
    </message>
    <message>
        <source>Serial number cannot be written.
Please input the decimal number. </source>
        <translation>シリアル番号を書き込めません。
10 進数の番号を入力してください。 </translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot; を開けません: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot; を読み込めません: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot; に書き込めません: %2</translation>
    </message>
    <message>
        <source>Row %1 &quot;%2&quot; holds %3, more than its register carries. Nothing was sent to the camera.</source>
        <translation>行 %1 &quot;%2&quot; の値 %3 はレジスタに収まりません。カメラには何も送っていません。</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Uploading %1 data from camera...</source>
        <translation>カメラから「%1」のデータを読み出しています...</translation>
    </message>
    <message>
        <source>Sending %1 data to camera...</source>
        <translation>カメラへ「%1」のデータを送っています...</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>レディ</translation>
    </message>
    <message>
        <source>File type mismatch.
File &quot;%1&quot; does not contain data for %2 apprication.</source>
        <translation>ファイルの種類が違います。
ファイル &quot;%1&quot; には %2 アプリケーションのデータがありません。</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>予期しないファイル形式です。</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>ドキュメントを開けませんでした。</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>ドキュメントを保存できませんでした。</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>新しいドキュメントを作成します
新規作成</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>既存のドキュメントを開きます
開く</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>作業中のドキュメントを保存します
上書き保存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>作業中のドキュメントを新しい名前で保存します
名前を付けて保存</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>このドキュメントを開きます</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>プログラム情報、バージョン、著作権を表示します
バージョン情報</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>アプリケーションを終了します。ドキュメントの保存を確認します
終了</translation>
    </message>
    <message>
        <source>Read Every Camera Data From Camera
Read</source>
        <translation>すべてのカメラデータをカメラから読み出します
読み出し</translation>
    </message>
    <message>
        <source>Write Every Camera Data To Camera
Write</source>
        <translation>すべてのカメラデータをカメラへ書き込みます
書き込み</translation>
    </message>
    <message>
        <source>Send or Receive Message Manually
Manual</source>
        <translation>メッセージを手動で送受信します
手動</translation>
    </message>
    <message>
        <source>Adjust Camera Data
Command</source>
        <translation>カメラデータを調整します
コマンド</translation>
    </message>
    <message>
        <source>Select A Communication Port
Setup Port</source>
        <translation>通信ポートを選択します
ポート設定</translation>
    </message>
    <message>
        <source>OK, No error present!</source>
        <translation>OK、エラーはありません。</translation>
    </message>
    <message>
        <source>This should be a software error.</source>
        <translation>ソフトウェアのエラーと思われます。</translation>
    </message>
    <message>
        <source>Communication port number invalid.</source>
        <translation>通信ポート番号が不正です。</translation>
    </message>
    <message>
        <source>Communication port not opened.</source>
        <translation>通信ポートが開かれていません。</translation>
    </message>
    <message>
        <source>Can not open communciation port.</source>
        <translation>通信ポートを開けません。</translation>
    </message>
    <message>
        <source>Communication time out detected.
Check the connection.</source>
        <translation>通信タイムアウトを検出しました。
接続を確認してください。</translation>
    </message>
    <message>
        <source>Bad chacter size specified in sending/receiving data to the camera unit.</source>
        <translation>カメラとの送受信データに不正な文字サイズが指定されました。</translation>
    </message>
    <message>
        <source>Missing overlap operation for reading/writing data to the specified port.</source>
        <translation>指定したポートへの読み書きでオーバーラップ操作が欠けています。</translation>
    </message>
    <message>
        <source>Purge operation failure for communication port.</source>
        <translation>通信ポートのパージ操作に失敗しました。</translation>
    </message>
    <message>
        <source>Serial line break condition detected.</source>
        <translation>シリアル回線のブレーク状態を検出しました。</translation>
    </message>
    <message>
        <source>Framing error detected on camera communication.</source>
        <translation>カメラ通信でフレーミングエラーを検出しました。</translation>
    </message>
    <message>
        <source>Serial communication I/O error.</source>
        <translation>シリアル通信の入出力エラーです。</translation>
    </message>
    <message>
        <source>General software error (?). I do not know the cause.</source>
        <translation>一般的なソフトウェアエラー (?) です。原因はわかりません。</translation>
    </message>
    <message>
        <source>Character overrun detected on serial communciation.</source>
        <translation>シリアル通信で文字のオーバーランを検出しました。</translation>
    </message>
    <message>
        <source>Receiver buffer full.</source>
        <translation>受信バッファーがいっぱいです。</translation>
    </message>
    <message>
        <source>Parity error detected in received data.</source>
        <translation>受信データにパリティエラーを検出しました。</translation>
    </message>
    <message>
        <source>Transmit buffer full.</source>
        <translation>送信バッファーがいっぱいです。</translation>
    </message>
    <message>
        <source>Unselected parallel device.</source>
        <translation>パラレル装置が選択されていません。</translation>
    </message>
    <message>
        <source>Time out on parallel device.</source>
        <translation>パラレル装置でタイムアウトしました。</translation>
    </message>
    <message>
        <source>Paper empty.</source>
        <translation>用紙がありません。</translation>
    </message>
    <message>
        <source>Unexpected character received from camera unit.</source>
        <translation>カメラから予期しない文字を受信しました。</translation>
    </message>
    <message>
        <source>Bad character size in received packet from camera unit.</source>
        <translation>カメラからの受信パケットの文字サイズが不正です。</translation>
    </message>
    <message>
        <source>No STX character found in received data from camera unit.</source>
        <translation>カメラからの受信データに STX 文字がありません。</translation>
    </message>
    <message>
        <source>No ETX character found in received data.</source>
        <translation>受信データに ETX 文字がありません。</translation>
    </message>
    <message>
        <source>Invalid character type found in received data from camera unit.</source>
        <translation>カメラからの受信データに不正な種類の文字があります。</translation>
    </message>
    <message>
        <source>Check sum code mismatched in received data from camera unit.</source>
        <translation>カメラからの受信データのチェックサムが一致しません。</translation>
    </message>
    <message>
        <source>ERROR - %1</source>
        <translation>エラー - %1</translation>
    </message>
    <message>
        <source>Illegal message size of transmission data. </source>
        <translation>送信データのメッセージサイズが不正です。 </translation>
    </message>
    <message>
        <source>Too long message received.</source>
        <translation>受信したメッセージが長すぎます。</translation>
    </message>
    <message>
        <source>The communication port refused the line settings (baud rate, data bits, parity, stop bits).</source>
        <translation>通信ポートが回線設定 (ボーレート、データビット、パリティ、ストップビット) を受け付けませんでした。</translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation>シャッター速度</translation>
    </message>
    <message>
        <source>Trigger Mode</source>
        <translation>トリガーモード</translation>
    </message>
    <message>
        <source>HD Reset</source>
        <translation>HD リセット</translation>
    </message>
    <message>
        <source>Trigger Polarity</source>
        <translation>トリガー極性</translation>
    </message>
    <message>
        <source>Gain Level</source>
        <translation>ゲインレベル</translation>
    </message>
    <message>
        <source>Black Level</source>
        <translation>黒レベル</translation>
    </message>
    <message>
        <source>(Reserved)</source>
        <translation>(予約)</translation>
    </message>
    <message>
        <source>Data Bit</source>
        <translation>データビット</translation>
    </message>
    <message>
        <source>Programable Shutter</source>
        <translation>プログラマブルシャッター</translation>
    </message>
    <message>
        <source>Adjust Gain</source>
        <translation>調整ゲイン</translation>
    </message>
    <message>
        <source>Partial Scan Start</source>
        <translation>パーシャルスキャン開始</translation>
    </message>
    <message>
        <source>Partial Scan Width</source>
        <translation>パーシャルスキャン幅</translation>
    </message>
    <message>
        <source>Partial Scan ON/OFF</source>
        <translation>パーシャルスキャン ON/OFF</translation>
    </message>
    <message>
        <source>Configration</source>
        <translation>構成</translation>
    </message>
    <message>
        <source>Sub Voltage</source>
        <translation>SUB 電圧</translation>
    </message>
    <message>
        <source>Trigger Source</source>
        <translation>トリガー入力</translation>
    </message>
    <message>
        <source>Output Flash out/VD</source>
        <translation>出力 Flash out/VD</translation>
    </message>
    <message>
        <source>2xAccel ON/OFF </source>
        <translation>2倍速 ON/OFF </translation>
    </message>
    <message>
        <source>Camera Information</source>
        <translation>カメラ情報</translation>
    </message>
    <message>
        <source>User Adjust ON/OFF</source>
        <translation>ユーザー調整 ON/OFF</translation>
    </message>
    <message>
        <source>White Spot Correction ON/OFF</source>
        <translation>白キズ補正 ON/OFF</translation>
    </message>
    <message>
        <source>White Spot Detect Threshlevel</source>
        <translation>白キズ検出しきい値</translation>
    </message>
    <message>
        <source>Factory Set</source>
        <translation>工場設定</translation>
    </message>
    <message>
        <source>White Spot Address X</source>
        <translation>白キズアドレス X</translation>
    </message>
    <message>
        <source>White Spot Address Y</source>
        <translation>白キズアドレス Y</translation>
    </message>
    <message>
        <source>White Spot Detect</source>
        <translation>白キズ検出</translation>
    </message>
    <message>
        <source>Test Patarn</source>
        <translation>テストパターン</translation>
    </message>
    <message>
        <source>Sort OFF/ON</source>
        <translation>ソート OFF/ON</translation>
    </message>
</context>
<context>
    <name>ValueScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>ここにスクロール</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>左端</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上端</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>右端</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>下端</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>1 ページ左へ</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>1 ページ上へ</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>1 ページ右へ</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>1 ページ下へ</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>左へスクロール</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>上へスクロール</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>右へスクロール</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>下へスクロール</translation>
    </message>
</context>
<context>
    <name>WhiteSpotDetection</name>
    <message>
        <source>Detect is finished.</source>
        <translation>検出が終わりました。</translation>
    </message>
    <message>
        <source>Number of detect is over.</source>
        <translation>検出数が上限を超えました。</translation>
    </message>
    <message>
        <source>Detect error</source>
        <translation>検出エラー</translation>
    </message>
</context>
<context>
    <name>WhiteSpotDialog</name>
    <message>
        <source>DETECT</source>
        <translation>検出</translation>
    </message>
    <message>
        <source>THRESHOLD LEVEL</source>
        <translation>しきい値レベル</translation>
    </message>
    <message>
        <source>ADDRESS</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>読出し</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>WHITE SPOT DETECT MENU</source>
        <translation>白キズ検出メニュー</translation>
    </message>
</context>
</TS>
