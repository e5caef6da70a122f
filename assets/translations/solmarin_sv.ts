<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>kortbord</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>ess</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>två</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>tre</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>fyra</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>fem</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>sex</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>sju</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>åtta</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>nio</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>tio</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>knekt</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>dam</translation>
    </message>
    <message>
        <source>King</source>
        <translation>kung</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Klöver</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Ruter</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Hjärter</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Spader</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>talong, tom</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>talong, 1 kort</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>talong, %1 kort</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>slänghög, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>slänghög, tom</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>tom plats</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>nedvänt kort</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, spelbart</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nytt spel. %1 på slänghögen, 23 kort i talongen.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 spelad, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Toppbonus.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Uppvänt: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Från talongen: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>Talongen är tom, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Bordet är tömt! Slutbonus %1. Slutpoäng %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Inget kort passar och talongen är tom: spelet är förlorat. Slutpoäng %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Poäng %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Slutet av raden. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> Ramen är på %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Ångrat, %1: %2 tillbaka på bordet, %3 på slänghögen.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Ångrat: %1 tillbaka i talongen, %2 på slänghögen. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Ångrat, %1: %2 på slänghögen.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Om</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programmerat av Solmarin-teamet</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alla rättigheter förbehållna.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Klar</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Hjälp</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Översikt</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Så spelar du</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Poäng</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programmerat av</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>Solmarin-teamet</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Klar</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Tangenter, givar</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Topplista</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Topplista</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAR</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Hämtar topplistan...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Topplistan kunde inte hämtas. Poängservern går inte att nå; öppna listan igen för att försöka en gång till.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Dagens giv</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Alla resultat</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Inga poäng har skickats in ännu för dagens giv den %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NYTT SPEL</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>ÅNGRA -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>SKRIV DITT NAMN</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAR</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>TYVÄRR, DU FÖRLORADE!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>BORDET ÄR TÖMT!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Skriv ditt namn</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>SKICKA POÄNG</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>TOPPLISTA</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>AVBRYT</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Skickar poäng, vänta......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Uppdatering finns</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Vill du uppdatera nu?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spel</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nytt spel</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Ångra</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Avsluta</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Alternativ</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Spela ljud</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Återställ fönstrets läge</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Byt namn</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Sök efter uppdateringar automatiskt</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Animera korten</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visa</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Visa topplistan</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Poäng: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Kort kvar: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Giv %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Lycka till %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Välkommen till Solmarin från Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Bordet är tömt!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Dina poäng: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Skickar poäng, vänta</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Det gick inte att skicka.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Välj giv...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Börja om given</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Spelet går inte längre att vinna.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Välj giv</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Givnummer (0 till 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Uppdaterar. Vänta...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 byte mottagna</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installerar</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Ett fel uppstod vid uppdateringen. Ladda ner %1 manuellt från %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Nedladdningen avbröts</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Bara vinnbara givar</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Den här given går inte att vinna.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Dagens giv %1 (giv %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Dagens giv</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Webbplatsen för %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ditt namn</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Tips: vänd ett kort från talongen.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Tips: spela %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Bekräfta</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Vill du verkligen nollställa statistiken?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statistik</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>DIN STATISTIK</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spel:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Vunna:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>Vinstprocent:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Längsta serie</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>TOPPLISTA</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>NOLLSTÄLL</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAR</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Placering</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Poäng</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>DIN STATISTIK: %1. TOPPLISTA</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Ett oväntat fel uppstod</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Det går inte att skriva till %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: filen saknar ett giltigt huvud!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Fel vid läsning av filen %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Filen %1 kan inte öppnas</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; är inget giltigt heltal</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Kan inte skriva till den tillfälliga mappen</translation>
    </message>
</context>
</TS>
