<!--#include virtual="comune.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// A signed-in sales agent's customers: what each ordered and what was
// shipped in a period, sortable by name or either amount, with the
// totals; each customer leads to his products.
generale.ImpostaLunghezzaElencoClientiAgenteStatistiche(20);
var agente = Collegato(true);
var clienti = [];
var pagine = "";
var errore = "";
var nonValido = ValoreNonNumerico({ CampoOrd: 32767 });
var rifiutata = nonValido === "" ? "" : Rifiuta(nonValido);
if (agente && rifiutata === "") {
    ordine.CalcolaTotaleOrdiniClientiAgente();
    var aperto = ordine.ApriElencoClientiAgenteStatistiche();
    errore = String(ordine.Errore);
    if (aperto && errore === "") {
        do {
            var nome = String(ordine.RagioneSocialeStatistiche);
            if (nome === "")
                nome = (String(ordine.NomeStatistiche) + " " + String(ordine.CognomeStatistiche)).trim();
            clienti.push({ id: ordine.IDUtenteStatistiche, nome: nome, ordinato: Importo(ordine.FImportoOrdinato),
                           evaso: Importo(ordine.FImportoEvaso) });
        } while (clienti.length < ordine.LunghezzaElencoClientiStatistiche && ordine.LeggiClienteAgenteSuccessivoStatistiche());
        pagine = PagineAzione(ordine.PaginaCorrenteStatistiche, ordine.TotalePagineStatistiche,
                              ordine.ControlloPrimaPaginaElencoClientiStatistiche(),
                              ordine.ControlloUltimaPaginaElencoClientiStatistiche(), "/statistiche.asp", {});
        ordine.ChiudiElencoClientiAgenteStatistiche();
    }
}
var campo = ordine.CampoOrdinamentoStatistiche;
var modo = String(ordine.ModoOrdinamentoStatistiche);
var paginaCorrente = "/statistiche.asp";
var titoloPagina = T("PMTSTATISTICHE", "Statistiche di vendita");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione statistiche">
  <p><a href="/ordini.asp">&larr; <%= H(T("PMTIMIEIORDINI", "I miei ordini")) %></a></p>
  <h1><%= H(titoloPagina) %></h1>
<% if (!agente) { %>
  <p class="avviso" id="solo-agenti"><%= H(T("PMTSOLOAGENTI", "Le statistiche di vendita sono riservate agli agenti.")) %></p>
<% } else { %>
  <%= ModuloPeriodo("/statistiche.asp", ordine.StatisticheDallaData, ordine.StatisticheAllaData, {}) %>
<%   if (rifiutata !== "") { %>
  <p class="messaggio errore" role="alert" id="richiesta-rifiutata"><%= H(rifiutata) %></p>
<% } else if (errore !== "") { %>
  <p class="messaggio errore" role="alert" id="errore-periodo"><%= H(errore) %></p>
<%   } else if (clienti.length === 0) { %>
  <p class="avviso" id="nessun-cliente"><%= H(T("PMTNESSUNCLIENTEPERIODO", "Nessun ordine dei tuoi clienti nel periodo.")) %></p>
<%   } else { %>
  <table class="righe-carrello" id="clienti-agente">
    <thead>
      <tr><th scope="col"><%= Ordina("/statistiche.asp", {}, 0, T("PMTCLIENTE", "Cliente"), campo, modo) %></th>
          <th scope="col" class="importo"><%= Ordina("/statistiche.asp", {}, 1, T("PMTORDINATO", "Ordinato"), campo, modo) %></th>
          <th scope="col" class="importo"><%= Ordina("/statistiche.asp", {}, 2, T("PMTSPEDITO", "Spedito"), campo, modo) %></th></tr>
    </thead>
    <tbody>
<%     for (var i = 0; i < clienti.length; ++i) { %>
      <tr class="riga-cliente" data-cliente="<%= clienti[i].id %>">
        <td><a href="<%= H(Indirizzo("/prodotticliente.asp", { IDUtente: clienti[i].id })) %>"><%= H(clienti[i].nome) %></a></td>
        <td class="importo"><%= clienti[i].ordinato %></td>
        <td class="importo"><%= clienti[i].evaso %></td>
      </tr>
<%     } %>
    </tbody>
  </table>
  <%= pagine %>
  <table class="totali" id="totali-agente">
    <tbody>
      <tr><th scope="row"><%= H(T("PMTORDINATO", "Ordinato")) %></th><td><%= Importo(ordine.FTotaleOrdinatoClienti) %></td></tr>
      <tr class="totale"><th scope="row"><%= H(T("PMTSPEDITO", "Spedito")) %></th><td><%= Importo(ordine.FTotaleEvasoClienti) %></td></tr>
    </tbody>
  </table>
  <p><a href="<%= H(Indirizzo("/prodotticliente.asp", { IDAgente: Session("IDAgente") })) %>"><%= H(T("PMTPRODOTTITUTTI", "I prodotti di tutti i tuoi clienti")) %></a></p>
<%   } %>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
