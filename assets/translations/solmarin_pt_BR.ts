<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>mesa de cartas</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Ás</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Dois</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Três</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Quatro</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Cinco</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Seis</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sete</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Oito</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Nove</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Dez</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Valete</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dama</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Rei</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>paus</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>ouros</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>copas</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>espadas</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>monte, vazio</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>monte, 1 carta</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>monte, %1 cartas</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>pilha de descarte, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>pilha de descarte, vazia</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>lugar vazio</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>carta virada para baixo</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, jogável</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Novo jogo. %1 na pilha de descarte, 23 cartas no monte.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 jogada, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Bônus de pico.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Desvirada: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Carta do monte: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>O monte está vazio, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Mesa limpa! Bônus final %1. Pontuação final %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Nenhuma carta serve e o monte está vazio: jogo perdido. Pontuação final %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Pontuação %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Fim da fileira. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> A moldura está em %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Desfeito, %1: %2 de volta à mesa, %3 na pilha de descarte.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Desfeito: %1 de volta ao monte, %2 na pilha de descarte. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Desfeito, %1: %2 na pilha de descarte.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Sobre</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programado pela equipe Solmarin</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Todos os direitos reservados.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Pronto</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Ajuda</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Visão geral</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Como jogar</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Pontuação</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentação</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programado pela</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>equipe Solmarin</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Pronto</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Teclas e jogos</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Recordes</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Recordes</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>PRONTO</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Carregando a lista de recordes...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Não foi possível carregar a lista de recordes. O servidor de pontuações não responde; abra a lista de novo para tentar outra vez.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Jogo do dia</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Todas as pontuações</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Ainda não foram enviadas pontuações para o jogo do dia de %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NOVO JOGO</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>DESFAZER -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>DIGITE SEU NOME</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>PRONTO</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>QUE PENA, VOCÊ PERDEU!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>MESA LIMPA!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Digite seu nome</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>ENVIAR PONTOS</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>RECORDES</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Enviando pontuação, aguarde......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Atualização disponível</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Deseja atualizar agora?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Jogo</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Novo jogo</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Desfazer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Tocar sons</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Redefinir posição da janela</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Mudar nome</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Procurar atualizações automaticamente</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Animar cartas</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Exibir</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Estatísticas</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Ver recordes</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Pontos: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Cartas restantes: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Jogo %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Boa sorte %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Bem-vindo ao Solmarin da Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Mesa limpa!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Sua pontuação: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Enviando pontuação, aguarde</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Falha no envio.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Escolher jogo...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Reiniciar jogo</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Dica</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Não dá mais para vencer.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Escolher jogo</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Número do jogo (0 a 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Atualizando. Aguarde...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 bytes recebidos</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Instalando</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Ocorreu um erro na atualização. Baixe o %1 manualmente em %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download interrompido</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Só jogos vencíveis</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Este jogo não tem solução.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Jogo do dia %1 (jogo %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Jogo do dia</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Site da %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Seu nome</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Dica: vire uma carta do monte.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Dica: jogue %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Tem certeza de que deseja zerar as estatísticas?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sim</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Não</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Estatísticas</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>SUAS ESTATÍSTICAS</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Jogos:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Vencidos:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>% de vitórias:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Maior sequência</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>RECORDES</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>ZERAR</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>PRONTO</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Posição</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Pontos</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>SUAS ESTATÍSTICAS: %1. RECORDES</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Ocorreu um erro inesperado</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Não foi possível gravar em %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: este arquivo não tem um cabeçalho válido!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Erro ao ler o arquivo %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Não foi possível abrir o arquivo %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; não é um número inteiro válido</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Não foi possível gravar na pasta temporária</translation>
    </message>
</context>
</TS>
